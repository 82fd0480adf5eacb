#include "TForm3.h"
#include "ScoreRecord.h"
#include "SelectionKeepingLineEdit.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>

#include <limits>

namespace stacklume {
namespace {

constexpr int ClientWidth = 366;
constexpr int ClientHeight = 372;
constexpr int RowHeight = 24;
constexpr int ColumnWidths[] = {35, 113, 102, 79};
enum Column { PlaceColumn, NameColumn, ScoreColumn, DateColumn, ColumnCount };

// What the table calls the scroll-bar colour: the palette's mid tone, a light grey in light themes.
QColor ScrollBarColour(const QPalette& palette) { return palette.color(QPalette::Mid); }

} // namespace

TForm3::TForm3(const QString& bestScoresFolder, std::function<void()> pauseToggle,
               BestScores::ProblemReporter reportProblem, QDate startDate, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      scores_(bestScoresFolder, startDate, std::move(reportProblem)), pauseToggle_(std::move(pauseToggle)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(ViewingCaption);
    setFixedSize(ClientWidth, ClientHeight);
    QFont font(QStringLiteral("MS Sans Serif")); // fontconfig picks the nearest font on Linux
    font.setPixelSize(13);
    setFont(font);
    BuildControls();
}

void TForm3::BuildControls() {
    BuildGrid();
    Button1_ = new QPushButton(QStringLiteral("OK"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button1_->setGeometry(144, 329, 79, 25);
    connect(Button1_, &QPushButton::clicked, this, &TForm3::Button1Click);
    BuildPanel();
    SetTabOrder();
}

void TForm3::BuildGrid() {
    sgrid1_ = new QTableWidget(BestScores::TableSize, ColumnCount, this);
    sgrid1_->setObjectName(QStringLiteral("sgrid1"));
    sgrid1_->setGeometry(16, 30, 337, 280);
    sgrid1_->setHorizontalHeaderLabels(
        {QStringLiteral("No"), QStringLiteral("Name"), QStringLiteral("Score"), QStringLiteral("Date")});
    sgrid1_->verticalHeader()->hide();
    sgrid1_->verticalHeader()->setMinimumSectionSize(1);
    sgrid1_->verticalHeader()->setDefaultSectionSize(RowHeight);
    sgrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* headings = sgrid1_->horizontalHeader();
    headings->setFixedHeight(RowHeight);
    headings->setSectionsClickable(false);
    headings->setHighlightSections(false);
    headings->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < ColumnCount; ++column)
        headings->resizeSection(column, ColumnWidths[column]);
    QPalette headingColours = headings->palette();
    headingColours.setColor(QPalette::Button, ScrollBarColour(headingColours));
    headings->setPalette(headingColours);

    QPalette cellColours = sgrid1_->palette();
    cellColours.setColor(QPalette::Base, cellColours.color(QPalette::Button));
    sgrid1_->setPalette(cellColours);

    sgrid1_->setShowGrid(true);
    sgrid1_->setTabKeyNavigation(false); // Tab leaves the table like any other control
    sgrid1_->setWordWrap(false);
    sgrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgrid1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgrid1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    for (int row = 0; row < BestScores::TableSize; ++row)
        for (int column = 0; column < ColumnCount; ++column) {
            auto* cell = new QTableWidgetItem(column == PlaceColumn ? QString::number(row + 1) : QString());
            cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            sgrid1_->setItem(row, column, cell);
        }
    sgrid1_->selectRow(0);
}

void TForm3::BuildPanel() {
    Panel1_ = new QFrame(this);
    Panel1_->setObjectName(QStringLiteral("Panel1"));
    Panel1_->setGeometry(71, 96, 225, 113);
    // A raised edge, a border of 4 pixels, then a lowered inner bevel.
    Panel1_->setFrameStyle(QFrame::Box | QFrame::Raised);
    Panel1_->setLineWidth(1);
    Panel1_->setMidLineWidth(4);
    QPalette panelColours = Panel1_->palette();
    panelColours.setColor(QPalette::Window, ScrollBarColour(panelColours));
    Panel1_->setPalette(panelColours);
    Panel1_->setAutoFillBackground(true);

    Label2_ = new QLabel(QStringLiteral("Enter your name :"), Panel1_);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->move(16, 16);

    Edit1_ = new SelectionKeepingLineEdit(Panel1_);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setGeometry(16, 40, 193, 24);
    Edit1_->setMaxLength(std::numeric_limits<int>::max());
    Edit1_->setText(QStringLiteral("MyName"));
    QPalette editColours = Edit1_->palette();
    editColours.setColor(QPalette::Base, Qt::white);
    Edit1_->setPalette(editColours);

    Button2_ = new QPushButton(QStringLiteral("OK"), Panel1_);
    Button2_->setObjectName(QStringLiteral("Button2"));
    Button2_->setGeometry(84, 77, 57, 25);
    Button2_->setDefault(true);
    connect(Button2_, &QPushButton::clicked, this, &TForm3::Button2Click);
}

void TForm3::SetTabOrder() {
    setTabOrder(Edit1_, Button2_);
    setTabOrder(Button2_, sgrid1_);
    setTabOrder(sgrid1_, Button1_);
}

void TForm3::ShowBestScores() {
    if (!Panel1_->isVisible())
        setWindowTitle(ViewingCaption);
    Present();
}

void TForm3::ShowNameEntry(int score) {
    const bool alreadyShown = isVisible();
    setWindowTitle(EntryCaption);
    Tag = score;
    Present();
    sgrid1_->hide();
    Panel1_->show();
    if (alreadyShown) // no show event comes to move the focus to the name
        FormShow();
}

bool TForm3::ScoreQualifies(int score) { return scores_.ScoreQualifies(score); }

void TForm3::Present() {
    QScreen* display = screen();
    if (!isVisible() && display) {
        QRect frame = frameGeometry();
        frame.moveCenter(display->geometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Runs once the caller has finished setting the dialog up, as when pending messages are
    // processed first.
    if (!event->spontaneous())
        QMetaObject::invokeMethod(this, &TForm3::FormShow, Qt::QueuedConnection);
}

void TForm3::FormShow() {
    if (!isVisible())
        return;
    if (windowTitle() == ViewingCaption) {
        Button2Click();
    } else if (Panel1_->isVisible()) {
        Edit1_->setFocus();
        Edit1_->selectAll();
    }
}

void TForm3::Button2Click() {
    const bool entering = windowTitle() == EntryCaption;
    QString newRecord;
    if (entering)
        newRecord = scores_.Insert(Tag, Edit1_->text());
    else
        scores_.Sort();
    RefreshTable();
    if (entering)
        SelectRecordRow(newRecord);
    Panel1_->hide();
    sgrid1_->show();
    Button1_->setFocus();
}

void TForm3::Button1Click() {
    scores_.Save();
    hide();
    if (windowTitle() == ViewingCaption && pauseToggle_)
        pauseToggle_();
    setWindowTitle(EntryCaption);
}

void TForm3::reject() {}

void TForm3::RefreshTable() {
    const QStringList& lines = scores_.Lines();
    for (qsizetype position = 0; position < lines.size() && position < BestScores::TableSize; ++position) {
        const int row = BestScores::TableSize - 1 - static_cast<int>(position); // the best at the top
        const RecordCells cells = ShownCells(lines[position]);
        sgrid1_->item(row, NameColumn)->setText(cells.Name);
        sgrid1_->item(row, ScoreColumn)->setText(cells.Score);
        sgrid1_->item(row, DateColumn)->setText(cells.Date);
    }
}

void TForm3::SelectRecordRow(const QString& record) {
    const RecordCells wanted = ShownCells(record);
    int match = -1;
    for (int row = 0; row < BestScores::TableSize; ++row) {
        const RecordCells shown{sgrid1_->item(row, ScoreColumn)->text(),
                                sgrid1_->item(row, NameColumn)->text(),
                                sgrid1_->item(row, DateColumn)->text()};
        if (shown == wanted)
            match = row; // with equal rows the lowest one wins
    }
    if (match >= 0)
        sgrid1_->selectRow(match);
}

} // namespace stacklume
