#pragma once

#include "BrickDrawing.h"
#include "BrickPanel.h"
#include "Game.h"
#include "IniFile.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;

namespace stacklume {

// The personalized-bricks dialog: the player draws the four extra piece kinds on a 4 x 4 grid of
// cells and lets them into play. It is created once, hidden, shown without blocking the main
// window and closed only by its OK button; it keeps its state between openings. Each cell's state
// is its colour: black is filled, anything else empty (empty cells are painted silver).
class TForm2 : public QDialog {
    Q_OBJECT
public:
    using ProblemReporter = std::function<void(const QString&)>;

    using PatternsApplier = std::function<void(const BrickPatternTexts&)>;

    // kindCount is the engine's KindCount, which the main window has already set from the
    // settings; OK sets it to 12 or 8. applyPersonalizedBricks copies the patterns it is given
    // into kinds 8 to 11 and resumes play; it runs last in every OK.
    //
    // When kindCount is 12 the constructor runs OK at once (nothing shown): the patterns are
    // written to the settings file and applyPersonalizedBricks runs before the constructor
    // returns. If that write is refused, reportProblem says so once and start-up goes on with
    // the patterns in memory, applied all the same.
    TForm2(const QString& settingsFolder, int& kindCount, PatternsApplier applyPersonalizedBricks,
           ProblemReporter reportProblem, QWidget* parent = nullptr);

    // The four pattern texts, 16 characters of "0" and "1" (or as the settings file had them),
    // for "brick no. 09" to "brick no. 12", kinds 8 to 11.
    const BrickPatternTexts& BrickPatterns() const { return BrickPatterns_; }

    // Appears centred on the screen.
    void setVisible(bool visible) override;

public slots:
    // A click on a cell toggles it between black and silver; sender is the cell, or Panel1 for a
    // click between the cells, which changes nothing.
    void Panel1Click(QObject* sender);
    // OK: sets KindCount from the check box, centres and keeps the drawing shown, writes b1 to b4
    // in that order, hides the dialog and applies the patterns. A refused write throws
    // IniWriteError after KindCount and the kept drawing have changed; the dialog then stays open
    // and nothing is applied.
    void Button1Click();
    // Escape and the window manager's close do not close this dialog: only OK does.
    void reject() override;

private:
    void BuildControls();
    void BuildRadioGroup();
    void CreateBrickCells();
    void StartWithPersonalizedBricks();

    void RadioGroup1Click(int selected);
    // Paints a cell dragged over like the cell the drag started from.
    void PaintLike(QFrame* cell, const QFrame* origin);

    BrickDrawing Cells() const;
    void ShowOnCells(const BrickDrawing& drawing);
    void CentreCells();
    void SaveShownBrick();
    void ShowBrick(int brick);

    IniFile settings_;
    int& kindCount_;
    PatternsApplier applyPersonalizedBricks_;
    ProblemReporter reportProblem_;

    BrickPatternTexts BrickPatterns_;
    BrickPanel::CellGrid BrickCells_{};
    qint16 ShownBrick_ = -1;

    QPushButton* Button1_ = nullptr;
    BrickPanel* Panel1_ = nullptr;
    QGroupBox* RadioGroup1_ = nullptr;
    QButtonGroup* radioItems_ = nullptr;
    QCheckBox* CheckBox1_ = nullptr;
};

} // namespace stacklume
