#include "Files.h"
#include "GameWindow.h"
#include "RestrictedPermissions.h"
#include "ScoreRecord.h"

#include <functional>
#include <memory>

namespace stacklume::testing {
namespace {

// Ten records of 500 points as a hand might have written them, without the filling zeros; the
// game writes them back zero-filled.
const QByteArray ResultsWrittenByHand = QByteArray("500:Ann:01/12/2026\r\n").repeated(10);
const QByteArray ResultsWrittenByTheGame = QByteArray("00000000000500:Ann:01/12/2026\r\n").repeated(10);

class LostResultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(path_, ResultsWrittenByHand);
        game_ = std::make_unique<GameWindow>(platform_);
    }

    // The end of the game is still judged, from the table in memory, and the trouble is told
    // once; the next OK of the table writes the file again.
    void PlayOnWhileTheResultsAreLost(const std::function<void()>& giveTheFileBack) {
        ASSERT_TRUE(game_->PlayUntilGameOver());
        EXPECT_TRUE(game_->Caption().isVisibleTo(&game_->window)) << "no score of this game beats 500";
        EXPECT_FALSE(game_->form3.isVisible());
        ASSERT_EQ(platform_.errors.size(), 1);
        EXPECT_TRUE(platform_.errors[0].startsWith("Impossible d'ouvrir le fichier \"" +
                                                   QDir::toNativeSeparators(path_)))
            << platform_.errors[0].toStdString();

        game_->window.score1Click();
        ASSERT_TRUE(game_->form3.isVisible());
        game_->form3.Button1Click();
        EXPECT_FALSE(game_->form3.isVisible());
        EXPECT_EQ(platform_.errors.size(), 1);
        giveTheFileBack();
        EXPECT_EQ(ReadBytes(path_), ResultsWrittenByTheGame);
    }

    FakePlatform platform_;
    QString path_ = QDir(platform_.services.ProgramFolder).filePath(QStringLiteral("results.ini"));
    std::unique_ptr<GameWindow> game_;
};

TEST_F(LostResultsTest, AFileDeletedDuringPlayIsWrittenAgainByTheNextOk) {
    ASSERT_TRUE(QFile::remove(path_));
    PlayOnWhileTheResultsAreLost([] {});
}

// The new file keeps the rights the player gave the old one, so it is read back once they are
// given back. It stays writable: one the player made unwritable too is not overwritten.
TEST_F(LostResultsTest, AFileMadeUnreadableDuringPlayIsReplacedByTheNextOk) {
    RestrictedPermissions unreadable(path_, QFileDevice::WriteOwner);
    ASSERT_FALSE(CanRead(path_)) << "permission bits do not bind here";
    PlayOnWhileTheResultsAreLost([&] { unreadable.Lift(); });
}

} // namespace
} // namespace stacklume::testing
