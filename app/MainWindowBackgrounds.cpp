// The main window's background pictures: the menu built at start-up and the choice of a picture.
#include "MainWindow.h"

#include "Backgrounds.h"
#include "WellPicture.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <future>

namespace stacklume {

void MainWindow::BuildBackgroundMenu(std::future<QImage>& picture) {
    const QStringList& names = backgrounds_->Names();
    const int checked = backgrounds_->CheckedIndex(backgroundFile_);
    for (int index = 0; index < names.size(); ++index) {
        QAction* item = menu_.Background1->addAction(names[index]);
        item->setCheckable(true);
        item->setChecked(index == checked);
        menu_.backgroundGroup->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, index] { Reporting([this, index] { Background1Click(index); }); });
    }
    backgroundFile_ = backgrounds_->ChooseFile(backgroundFile_);
    // A picture that cannot be decoded must not keep the game from starting, now or ever:
    // say so and play on the plain background.
    Reporting([this, &picture] {
        const QImage decoded = picture.get();
        if (!decoded.isNull())
            Backgrounds::DrawPicture(decoded, wellView_.BackgroundBuffer());
    });
}

void MainWindow::LoadBackground() {
    backgrounds_->LoadPicture(backgroundFile_, wellView_.BackgroundBuffer());
}

void MainWindow::Background1Click(int index) {
    menu_.Background1->actions().at(index)->setChecked(true);
    backgroundFile_ = backgrounds_->Names().at(index);
    LoadBackground();
    // Shown at once, also while the game stands still: the settled bricks without the piece.
    wellView_.RenderSettled(game_.CurrentWell(), game_.Options());
    Image2->Present(wellView_.BackBuffer(), wellView_.ChangedArea());
}

} // namespace stacklume
