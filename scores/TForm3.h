#pragma once

#include "BestScores.h"

#include <QDate>
#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace stacklume {

// The best-scores dialog. Its caption is its mode: "Your best scores" shows the table,
// "Your best score" takes the name for the score in Tag. It is created once, shown without
// blocking the main window and closed only by its own OK button.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    static inline const QString ViewingCaption = QStringLiteral("Your best scores");
    static inline const QString EntryCaption = QStringLiteral("Your best score");

    // pauseToggle is the main window's pause command, run when the table opened by the Score
    // command is closed. reportProblem says, without stopping anything, that results.ini cannot
    // be created or read.
    TForm3(const QString& bestScoresFolder, std::function<void()> pauseToggle,
           BestScores::ProblemReporter reportProblem, QDate startDate = QDate::currentDate(),
           QWidget* parent = nullptr);

    // The Score command, once the game is paused. While a name is being entered the dialog
    // keeps that mode, so the new score is not lost.
    void ShowBestScores();
    // The end of a game whose score qualifies: asks for the player's name. score is not negative.
    void ShowNameEntry(int score);
    // Whether a finished game's score earns a place (see BestScores::ScoreQualifies).
    bool ScoreQualifies(int score);

    int Tag = 0; // the score to enter; the dialog never changes it

public slots:
    // The panel's OK: enters the new record (entry mode), refreshes the table and shows it.
    void Button2Click();
    // The dialog's OK: saves the table and hides the dialog. Throws ResultsFileError when the
    // file cannot be written; the dialog then stays open and OK can be pressed again.
    void Button1Click();
    // Escape and the window manager's close do not close this dialog.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void BuildGrid();
    void BuildPanel();
    void SetTabOrder();
    void Present();
    void FormShow();
    void RefreshTable();
    void SelectRecordRow(const QString& record);

    BestScores scores_;
    std::function<void()> pauseToggle_;
    QTableWidget* sgrid1_ = nullptr;
    QPushButton* Button1_ = nullptr;
    QFrame* Panel1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLineEdit* Edit1_ = nullptr;
    QPushButton* Button2_ = nullptr;
};

} // namespace stacklume
