#include "TForm3.h"
#include "ResultsFileError.h"
#include "ScoresTestSupport.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace stacklume::testing {
namespace {

constexpr int Deadline = 10000; // milliseconds; generous for a busy machine

class TForm3Test : public ScoresFolderTest {
protected:
    // Created on first use, so that a test can lay out results.ini first.
    TForm3& Dialog() {
        if (!dialog_)
            dialog_ = std::make_unique<TForm3>(
                Folder(), [this] { ++pauseToggles_; }, Reporter(), StartDate);
        return *dialog_;
    }
    template <typename Control> Control* Find(const char* name) {
        auto* control = Dialog().findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QTableWidget* Grid() { return Find<QTableWidget>("sgrid1"); }
    QLineEdit* Edit() { return Find<QLineEdit>("Edit1"); }
    QPushButton* Button1() { return Find<QPushButton>("Button1"); }
    QFrame* Panel() { return Find<QFrame>("Panel1"); }

    // Row r of the table as the player reads it: place, name, score, date.
    QStringList Row(int row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells.append(Grid()->item(row, column)->text());
        return cells;
    }
    int SelectedRow() {
        const auto rows = Grid()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].row() : -1;
    }
    bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, Deadline); }
    bool FocusIsOn(QWidget* widget) {
        return WaitFor([&] { return Dialog().focusWidget() == widget; });
    }

    void EnterName(const QString& name) {
        ASSERT_TRUE(FocusIsOn(Edit()));
        QTest::keyClicks(Edit(), name); // replaces the selected name
        QTest::keyClick(Edit(), Qt::Key_Return);
    }

    int pauseToggles_ = 0;

private:
    std::unique_ptr<TForm3> dialog_;
};

TEST_F(TForm3Test, LayoutAndWindowAreAsDesigned) {
    TForm3& dialog = Dialog();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best scores"));
    EXPECT_EQ(dialog.minimumSize(), QSize(366, 372));
    EXPECT_EQ(dialog.maximumSize(), QSize(366, 372));
    EXPECT_EQ(dialog.windowFlags(),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.font().pixelSize(), 13);

    const std::pair<const char*, QRect> controls[] = {
        {"sgrid1", {16, 30, 337, 280}}, {"Button1", {144, 329, 79, 25}}, {"Panel1", {71, 96, 225, 113}},
        {"Edit1", {16, 40, 193, 24}},   {"Button2", {84, 77, 57, 25}},
    };
    for (const auto& [name, geometry] : controls)
        EXPECT_EQ(Find<QWidget>(name)->geometry(), geometry) << name;
    EXPECT_EQ(Find<QLabel>("Label2")->pos(), QPoint(16, 16));
    EXPECT_EQ(Find<QLabel>("Label2")->text(), QStringLiteral("Enter your name :"));
    EXPECT_EQ(Edit()->text(), QStringLiteral("MyName"));
    EXPECT_GE(Edit()->maxLength(), 1 << 30);
    EXPECT_TRUE(Find<QPushButton>("Button2")->isDefault());
    EXPECT_EQ(Find<QPushButton>("Button2")->parentWidget(), Panel());
}

TEST_F(TForm3Test, TheGridHasHeadingsPlacesAndFixedRowsAndColumns) {
    QTableWidget* grid = Grid();
    ASSERT_EQ(grid->rowCount(), 10);
    ASSERT_EQ(grid->columnCount(), 4);
    const int widths[] = {35, 113, 102, 79};
    const char* headings[] = {"No", "Name", "Score", "Date"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(grid->columnWidth(column), widths[column]);
        EXPECT_EQ(grid->horizontalHeaderItem(column)->text(), QString::fromLatin1(headings[column]));
    }
    EXPECT_EQ(grid->horizontalHeader()->height(), 24);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(grid->rowHeight(row), 24);
        EXPECT_EQ(Row(row), QStringList({QString::number(row + 1), "", "", ""}));
    }

    // A click picks a whole row; a double click edits nothing.
    Dialog().ShowBestScores();
    ASSERT_TRUE(FocusIsOn(Button1()));
    const QRect cell = grid->visualItemRect(grid->item(4, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(SelectedRow(), 4);
    EXPECT_EQ(grid->selectedItems().size(), 4);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(grid->findChild<QLineEdit*>(), nullptr);
}

TEST_F(TForm3Test, ANameEnteredWithTheKeyboardJoinsTheTableAndTheFile) {
    // Ann already holds 750 from the same start date: the new row is the lower of the two. The
    // start date lies years back, as for a game that ends after midnight: it is still the date.
    QStringList lines = FullTable();
    lines[6] = MakeRecord(750, QStringLiteral("Ann"), StartDateText());
    WriteResultLines(lines);
    TForm3& dialog = Dialog();
    ASSERT_TRUE(dialog.ScoreQualifies(750));

    dialog.ShowNameEntry(750);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best score"));
    EXPECT_EQ(dialog.Tag, 750);
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_FALSE(Grid()->isVisible());
    ASSERT_TRUE(FocusIsOn(Edit()));
    EXPECT_EQ(Edit()->selectedText(), QStringLiteral("MyName"));

    EnterName(QStringLiteral("Ann"));
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_TRUE(Grid()->isVisible());
    EXPECT_TRUE(FocusIsOn(Button1()));
    EXPECT_EQ(Row(0), QStringList({"1", "Player10", "1000", "01/01/2020"}));
    EXPECT_EQ(Row(2), QStringList({"3", "Player8", "800", "01/01/2020"}));
    EXPECT_EQ(Row(3), QStringList({"4", "Ann", "750", StartDateText()}));
    EXPECT_EQ(Row(4), QStringList({"5", "Ann", "750", StartDateText()}));
    EXPECT_EQ(Row(9), QStringList({"10", "Player2", "200", "01/01/2020"}));
    EXPECT_EQ(SelectedRow(), 4);

    QTest::mouseClick(Button1(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best score"));
    EXPECT_EQ(pauseToggles_, 0) << "the game stays over";
    const QByteArray file = ResultsBytes();
    EXPECT_EQ(file.count("00000000000750:Ann:" + StartDateText().toUtf8() + "\r\n"), 2);
    EXPECT_FALSE(file.contains("Player1:"));
    EXPECT_EQ(file.count("\r\n"), 10);
    EXPECT_EQ(Edit()->text(), QStringLiteral("Ann")) << "the name is kept for the next game";
}

TEST_F(TForm3Test, AWeirdNameStillGetsItsRowSelected) {
    TForm3& dialog = Dialog(); // empty table
    dialog.ShowNameEntry(0);
    ASSERT_TRUE(FocusIsOn(Edit()));
    Edit()->setText(QStringLiteral("*:x"));
    QTest::keyClick(Edit(), Qt::Key_Enter);
    ASSERT_TRUE(Grid()->isVisible());
    // The stored name "* x" is no "*": it shows. A score of 0 shows empty and ranks last.
    EXPECT_EQ(Row(9), QStringList({"10", "* x", "", StartDateText()}));
    EXPECT_EQ(SelectedRow(), 9);
}

TEST_F(TForm3Test, ClosingTheEntryWithoutThePanelsOkDropsTheNewScore) {
    WriteResultLines(FullTable());
    TForm3& dialog = Dialog();
    dialog.ShowNameEntry(5000);
    ASSERT_TRUE(FocusIsOn(Edit()));
    QTest::mouseClick(Button1(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ResultsBytes(), QStringList(FullTable()).join("\r\n").toUtf8() + "\r\n");
    EXPECT_EQ(pauseToggles_, 0);
}

TEST_F(TForm3Test, TheScoreCommandShowsTheTableAndClosingItTogglesThePauseOnce) {
    WriteResultLines(FullTable());
    TForm3& dialog = Dialog();
    dialog.ShowBestScores();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best scores"));
    ASSERT_TRUE(FocusIsOn(Button1()));
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ(Row(0), QStringList({"1", "Player10", "1000", "01/01/2020"}));
    EXPECT_EQ(Row(9), QStringList({"10", "Player1", "100", "01/01/2020"}));
    EXPECT_EQ(SelectedRow(), 0) << "viewing leaves the selection alone";

    // Neither Escape nor the window manager closes it.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());

    QTest::keyClick(Button1(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(pauseToggles_, 1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best score"));
    EXPECT_EQ(ResultsBytes(), QStringList(FullTable()).join("\r\n").toUtf8() + "\r\n");

    // Opened again, it is the table again.
    dialog.ShowBestScores();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best scores"));
    ASSERT_TRUE(FocusIsOn(Button1()));
    QTest::mouseClick(Button1(), Qt::LeftButton);
    EXPECT_EQ(pauseToggles_, 2);
}

TEST_F(TForm3Test, TheScoreCommandDoesNotDiscardANameBeingEntered) {
    TForm3& dialog = Dialog();
    dialog.ShowNameEntry(300);
    ASSERT_TRUE(FocusIsOn(Edit()));
    dialog.ShowBestScores();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best score"));
    EnterName(QStringLiteral("Cy"));
    EXPECT_EQ(Row(0), QStringList({"1", "Cy", "300", StartDateText()}));
}

TEST_F(TForm3Test, TabVisitsTheVisibleControlsInOrder) {
    TForm3& dialog = Dialog();
    dialog.ShowNameEntry(10);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, Deadline));
    ASSERT_TRUE(FocusIsOn(Edit()));
    QTest::keyClick(Edit(), Qt::Key_Tab);
    EXPECT_TRUE(FocusIsOn(Find<QPushButton>("Button2")));
    EXPECT_EQ(Edit()->selectedText(), QStringLiteral("MyName")) << "the selection outlives the focus";
    QTest::keyClick(Find<QPushButton>("Button2"), Qt::Key_Tab);
    EXPECT_TRUE(FocusIsOn(Button1())) << "the hidden table is skipped";

    QTest::keyClick(Button1(), Qt::Key_Tab);
    EXPECT_TRUE(FocusIsOn(Edit()));
    QTest::keyClick(Edit(), Qt::Key_Return);
    ASSERT_TRUE(FocusIsOn(Button1()));
    QTest::keyClick(Button1(), Qt::Key_Tab);
    EXPECT_TRUE(FocusIsOn(Grid()));
    QTest::keyClick(Grid(), Qt::Key_Tab);
    EXPECT_TRUE(FocusIsOn(Button1())) << "Tab leaves the table";
}

TEST_F(TForm3Test, AFailedWriteKeepsTheDialogOpenUntilARetrySucceeds) {
    WriteResultLines(FullTable());
    TForm3& dialog = Dialog();
    dialog.ShowBestScores();
    ASSERT_TRUE(FocusIsOn(Button1()));

    BlockResults();
    try {
        dialog.Button1Click();
        ADD_FAILURE() << "the write cannot succeed";
    } catch (const ResultsFileError& error) {
        ExpectOwnWordsAndAReason(QString::fromUtf8(error.what()),
                                 "Impossible de créer le fichier \"" + ResultsPath() + "\". ");
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Your best scores"));
    EXPECT_EQ(pauseToggles_, 0);
    EXPECT_EQ(Row(0), QStringList({"1", "Player10", "1000", "01/01/2020"}));

    UnblockResults();
    dialog.Button1Click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(pauseToggles_, 1);
    EXPECT_EQ(ResultsBytes(), QStringList(FullTable()).join("\r\n").toUtf8() + "\r\n");
}

} // namespace
} // namespace stacklume::testing
