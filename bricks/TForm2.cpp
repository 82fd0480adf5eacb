#include "TForm2.h"

#include "BrickSettings.h"
#include "IniWriteError.h"
#include "Preferences.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace stacklume {

namespace {

constexpr int ClientWidth = 267;
constexpr int ClientHeight = 198;
constexpr int CellSize = 20;
constexpr int CellPitch = 25;
constexpr int CellMargin = 10;
// The items of the radio group stand one under the other, each in a band of the same height.
constexpr int ItemLeft = 8;
constexpr int ItemTop = 15;
constexpr int ItemWidth = 103;
constexpr int ItemHeight = 27;

const QColor FilledColour(0, 0, 0);
const QColor EmptyColour(192, 192, 192);

bool IsFilled(const QFrame& cell) { return cell.palette().color(QPalette::Window) == FilledColour; }

void Paint(QFrame& cell, const QColor& colour) {
    QPalette colours = cell.palette();
    colours.setColor(QPalette::Window, colour);
    cell.setPalette(colours);
}

} // namespace

TForm2::TForm2(const QString& settingsFolder, int& kindCount, PatternsApplier applyPersonalizedBricks,
               ProblemReporter reportProblem, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      settings_(SettingsFilePath(settingsFolder)), kindCount_(kindCount),
      applyPersonalizedBricks_(std::move(applyPersonalizedBricks)), reportProblem_(std::move(reportProblem)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Personalized bricks"));
    setFixedSize(ClientWidth, ClientHeight);
    QFont font(QStringLiteral("MS Sans Serif")); // fontconfig picks the nearest font on Linux
    font.setPixelSize(13);
    setFont(font);
    BuildControls();
    CreateBrickCells();
    BrickPatterns_ = ReadBrickPatterns(settings_);
    // Selecting the first item shows its pattern through RadioGroup1Click.
    radioItems_->button(0)->setChecked(true);
    ShownBrick_ = 0;
    if (kindCount_ == KindTotal)
        StartWithPersonalizedBricks();
}

void TForm2::BuildControls() {
    Button1_ = new QPushButton(QStringLiteral("OK"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button1_->setGeometry(224, 152, 33, 33);
    connect(Button1_, &QPushButton::clicked, this, &TForm2::Button1Click);

    Panel1_ = new BrickPanel(this);
    Panel1_->setObjectName(QStringLiteral("Panel1"));
    Panel1_->setGeometry(8, 16, 121, 121);
    Panel1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    connect(Panel1_, &BrickPanel::clicked, this, &TForm2::Panel1Click);
    connect(Panel1_, &BrickPanel::draggedOnto, this, &TForm2::PaintLike);

    BuildRadioGroup();

    CheckBox1_ = new QCheckBox(QStringLiteral("enable the bricks"), this);
    CheckBox1_->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1_->setGeometry(8, 168, 185, 17);

    setTabOrder(Button1_, Panel1_);
    setTabOrder(Panel1_, radioItems_->button(0));
    for (int item = 1; item < PersonalizedKindCount; ++item)
        setTabOrder(radioItems_->button(item - 1), radioItems_->button(item));
    setTabOrder(radioItems_->button(PersonalizedKindCount - 1), CheckBox1_);
}

void TForm2::BuildRadioGroup() {
    RadioGroup1_ = new QGroupBox(this);
    RadioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1_->setGeometry(144, 9, 113, 128);
    radioItems_ = new QButtonGroup(RadioGroup1_);
    for (int item = 0; item < PersonalizedKindCount; ++item) {
        auto* button = new QRadioButton(QStringLiteral("brick no. %1").arg(item + 9, 2, 10, QLatin1Char('0')),
                                        RadioGroup1_);
        button->setGeometry(ItemLeft, ItemTop + item * ItemHeight, ItemWidth, ItemHeight);
        button->setFocusPolicy(Qt::ClickFocus);
        radioItems_->addButton(button, item);
    }
    // Only a change of the selected item counts; clicking the selected item again toggles nothing.
    // The group is one stop for Tab, on its selected item; the arrow keys move between the items.
    connect(radioItems_, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        radioItems_->button(item)->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        if (checked)
            RadioGroup1Click(item);
    });
}

// Column by column, as the panel has always been filled.
void TForm2::CreateBrickCells() {
    for (int column = 0; column < BoxSize; ++column)
        for (int row = 0; row < BoxSize; ++row) {
            auto* cell = new QFrame(Panel1_);
            cell->setGeometry(CellMargin + CellPitch * column, CellMargin + CellPitch * row, CellSize,
                              CellSize);
            cell->setFrameStyle(QFrame::Panel | QFrame::Raised);
            cell->setAutoFillBackground(true);
            cell->setCursor(Qt::PointingHandCursor);
            Paint(*cell, EmptyColour);
            cell->show();
            BrickCells_[row][column] = cell;
        }
    Panel1_->SetCells(BrickCells_);
}

void TForm2::StartWithPersonalizedBricks() {
    CheckBox1_->setChecked(true);
    try {
        Button1Click();
    } catch (const IniWriteError& failure) {
        // Not being able to write the settings file is no reason to refuse the player a game: say
        // it once and play with the patterns as they are now.
        reportProblem_(QString::fromUtf8(failure.what()));
        hide();
        applyPersonalizedBricks_(BrickPatterns_);
    }
}

void TForm2::setVisible(bool visible) {
    if (visible && !isVisible())
        if (const QScreen* display = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(display->geometry().center());
            move(frame.topLeft());
        }
    QDialog::setVisible(visible);
}

void TForm2::Panel1Click(QObject* sender) {
    for (const auto& row : BrickCells_)
        for (QFrame* cell : row)
            if (cell == sender) {
                Paint(*cell, IsFilled(*cell) ? EmptyColour : FilledColour);
                return;
            }
}

void TForm2::PaintLike(QFrame* cell, const QFrame* origin) {
    Paint(*cell, IsFilled(*origin) ? FilledColour : EmptyColour);
}

void TForm2::RadioGroup1Click(int selected) {
    CentreCells();
    SaveShownBrick();
    ShowBrick(selected);
}

void TForm2::Button1Click() {
    kindCount_ = CheckBox1_->isChecked() ? KindTotal : StandardKindCount;
    CentreCells();
    SaveShownBrick();
    WriteBrickPatterns(settings_, BrickPatterns_);
    hide();
    applyPersonalizedBricks_(BrickPatterns_);
}

void TForm2::reject() {}

BrickDrawing TForm2::Cells() const {
    BrickDrawing drawing{};
    for (int row = 0; row < BoxSize; ++row)
        for (int column = 0; column < BoxSize; ++column)
            drawing[row][column] = IsFilled(*BrickCells_[row][column]);
    return drawing;
}

void TForm2::ShowOnCells(const BrickDrawing& drawing) {
    for (int row = 0; row < BoxSize; ++row)
        for (int column = 0; column < BoxSize; ++column)
            Paint(*BrickCells_[row][column], drawing[row][column] ? FilledColour : EmptyColour);
}

void TForm2::CentreCells() {
    BrickDrawing drawing = Cells();
    stacklume::CentreCells(drawing);
    ShowOnCells(drawing);
}

void TForm2::SaveShownBrick() {
    if (ShownBrick_ >= 0 && ShownBrick_ < PersonalizedKindCount)
        SaveDrawingInto(Cells(), BrickPatterns_[ShownBrick_]);
}

void TForm2::ShowBrick(int brick) {
    ShownBrick_ = static_cast<qint16>(brick);
    ShowOnCells(DrawingFromPattern(BrickPatterns_[brick]));
}

} // namespace stacklume
