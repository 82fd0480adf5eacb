#include "Files.h"
#include "GameWindow.h"
#include "IniWriteError.h"
#include "RestrictedPermissions.h"
#include "ResultsFileError.h"
#include "ScoreRecord.h"
#include "TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QTableWidget>

#include <memory>
#include <optional>

namespace stacklume::testing {
namespace {

// The game installed in a folder the player cannot write to, with the settings and best scores
// of earlier runs in it, which the player cannot write either. Every write is refused with its
// message, the window or dialog stays open with everything the player did, nothing on disk
// changes, and the same command succeeds once the folder is writable again.
class ReadOnlyFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(SettingsPath(), SettingsBefore);
        QStringList table;
        for (int score = 100; score <= 1000; score += 100)
            table.append(MakeRecord(score, QStringLiteral("P%1").arg(score), QStringLiteral("01/01/2020")));
        resultsBefore_ = table.join(QStringLiteral("\r\n")).toLocal8Bit() + "\r\n";
        WriteBytes(ResultsPath(), resultsBefore_);
        SetFilesWritable(false);

        readOnly_.emplace(Folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        ASSERT_FALSE(CanCreateFileIn(Folder())) << "permission bits do not bind here";
        game_ = std::make_unique<GameWindow>(platform_);
        form2_ = std::make_unique<TForm2>(
            Folder(), game_->window.KindCount(),
            [this](const BrickPatternTexts& patterns) { game_->window.ApplyPersonalizedBricks(patterns); },
            platform_.services.ReportError);
        game_->window.AttachDialogs(form2_.get(), &game_->form3);
    }

    void SetFilesWritable(bool writable) {
        const QFileDevice::Permissions permissions =
            QFileDevice::ReadOwner | (writable ? QFileDevice::WriteOwner : QFileDevice::Permissions());
        ASSERT_TRUE(QFile::setPermissions(SettingsPath(), permissions));
        ASSERT_TRUE(QFile::setPermissions(ResultsPath(), permissions));
    }

    QString Folder() const { return platform_.services.ProgramFolder; }
    QString SettingsPath() const { return QDir(Folder()).filePath(QStringLiteral("stacklume.ini")); }
    QString ResultsPath() const { return QDir(Folder()).filePath(QStringLiteral("results.ini")); }
    MainWindow& Window() { return game_->window; }

    // Nothing on disk has changed and nothing was left behind.
    void ExpectFilesAsBefore() {
        EXPECT_EQ(ReadBytes(SettingsPath()), SettingsBefore);
        EXPECT_EQ(ReadBytes(ResultsPath()), resultsBefore_);
        EXPECT_EQ(EntriesOf(Folder()), QStringList({"results.ini", "stacklume.ini"}));
    }

    static inline const QByteArray SettingsBefore =
        "; kept by hand\n[config]\nspeed=slow\nlateral step=2\ncolor=multicolored\ndownarrow=0\nsound=1\n";
    QByteArray resultsBefore_;
    FakePlatform platform_;
    std::optional<RestrictedPermissions> readOnly_;
    std::unique_ptr<GameWindow> game_;
    std::unique_ptr<TForm2> form2_;
};

TEST_F(ReadOnlyFolderTest, TheCloseIsRefusedUntilTheFolderIsWritable) {
    Window().Menu().Veyfast->trigger();
    Window().Menu().redshade1->trigger();
    Window().show();
    EXPECT_FALSE(Window().close());
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(platform_.errors,
              QStringList{"Impossible d'écrire dans " + QDir::toNativeSeparators(SettingsPath())});
    EXPECT_EQ(Window().GetGame().Options().FallInterval, FallIntervalVeryFast);
    EXPECT_TRUE(Window().GetGame().Options().RedShades);
    EXPECT_TRUE(Window().Menu().Veyfast->isChecked());
    ExpectFilesAsBefore();

    readOnly_->Lift();
    EXPECT_TRUE(Window().close());
    const QByteArray written = ReadBytes(SettingsPath());
    for (const char* line : {"; kept by hand", "speed=veryfast", "lateral step=2", "color=red"})
        EXPECT_TRUE(written.contains(line)) << line << " in\n" << written.toStdString();
}

TEST_F(ReadOnlyFolderTest, TheBestScoresOkIsRefusedUntilTheFolderIsWritable) {
    TForm3& form3 = game_->form3;
    form3.ShowNameEntry(4242); // as the end of a game does
    form3.Button2Click();
    try {
        form3.Button1Click();
        ADD_FAILURE() << "the write went through";
    } catch (const ResultsFileError& failure) {
        const QString message = QString::fromUtf8(failure.what());
        EXPECT_TRUE(message.startsWith("Impossible de créer le fichier \"" +
                                       QDir::toNativeSeparators(ResultsPath()) + "\". "))
            << message.toStdString();
        EXPECT_GT(message.size(), message.indexOf(QStringLiteral("\". ")) + 3) << "the reason is given";
    }
    EXPECT_TRUE(form3.isVisible());
    EXPECT_EQ(form3.windowTitle(), TForm3::EntryCaption);
    const QTableWidget* table = form3.findChild<QTableWidget*>(QStringLiteral("sgrid1"));
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("MyName")) << "the new record is still in the table";
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("4242"));
    ExpectFilesAsBefore();

    readOnly_->Lift();
    form3.Button1Click();
    EXPECT_FALSE(form3.isVisible());
    const QByteArray written = ReadBytes(ResultsPath());
    EXPECT_TRUE(written.endsWith("00000000004242:MyName:12/8/26\r\n")) // en_US, as the tests run
        << written.toStdString();
    EXPECT_FALSE(written.contains(":P100:")) << "the lowest record made room";
}

TEST_F(ReadOnlyFolderTest, TheBricksOkIsRefusedUntilTheFolderIsWritable) {
    Window().newbricks1Click();
    ASSERT_TRUE(form2_->isVisible());
    form2_->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    try {
        form2_->Button1Click();
        ADD_FAILURE() << "the write went through";
    } catch (const IniWriteError& failure) {
        EXPECT_EQ(QString::fromUtf8(failure.what()),
                  "Impossible d'écrire dans " + QDir::toNativeSeparators(SettingsPath()));
    }
    EXPECT_TRUE(form2_->isVisible());
    EXPECT_FALSE(Window().Timer1->isActive()) << "nothing applied, the game still waits";
    EXPECT_EQ(Window().KindCount(), KindTotal);
    ExpectFilesAsBefore();

    readOnly_->Lift();
    form2_->Button1Click();
    EXPECT_FALSE(form2_->isVisible());
    EXPECT_TRUE(Window().Timer1->isActive());
    const QByteArray written = ReadBytes(SettingsPath());
    for (const char* line : {"; kept by hand", "speed=slow", "b1=1111100110011111", "b4=1111011001100110"})
        EXPECT_TRUE(written.contains(line)) << line << " in\n" << written.toStdString();
}

// Files the player may write are written in place, where no new file can go.
TEST_F(ReadOnlyFolderTest, WritableFilesAreWrittenInPlace) {
    SetFilesWritable(true);
    game_->form3.ShowNameEntry(4242);
    game_->form3.Button2Click();
    game_->form3.Button1Click();
    EXPECT_TRUE(ReadBytes(ResultsPath()).contains(":MyName:"));
    Window().Menu().Veyfast->trigger();
    Window().show();
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(platform_.errors.isEmpty()) << platform_.errors.join('\n').toStdString();
    EXPECT_EQ(ReadBytes(SettingsPath()), QByteArray(SettingsBefore).replace("speed=slow", "speed=veryfast") +
                                             "\n[bricks]\nactive=no\n\n[Background]\nfile=\n");
    EXPECT_EQ(EntriesOf(Folder()), QStringList({"results.ini", "stacklume.ini"}));
}

} // namespace
} // namespace stacklume::testing
