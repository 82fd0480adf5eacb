#include "SoundFileReader.h"
#include "SoundFileError.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace stacklume {
namespace {

using test::TempFolder;

TEST(SoundFileReaderTest, ReadsWholeFilesUpToTheLimitAndNothingBeyond) {
    TempFolder folder;
    const std::vector<std::uint8_t> bytes(200'000, 7);
    EXPECT_EQ(ReadSoundFile(folder.Write("exact.wav", bytes), bytes.size()), bytes);
    EXPECT_TRUE(ReadSoundFile(folder.Write("over.wav", bytes), bytes.size() - 1).empty());
    EXPECT_TRUE(ReadSoundFile(folder.Write("empty.wav", {}), 1024).empty());
}

// A missing file is covered with the start-up; these are the other ways a file can be wrong.
TEST(SoundFileReaderTest, SpecialFilesRaiseTheErrorOrReadAsEmptyButNeverHang) {
    TempFolder folder;
    const std::filesystem::path directory = folder.Path() / "brick1.wav";
    std::filesystem::create_directory(directory);
    try {
        ReadSoundFile(directory, 1024);
        ADD_FAILURE() << "a folder read as a sound";
    } catch (const SoundFileError& error) {
        EXPECT_EQ(error.what(),
                  "Impossible d'ouvrir le fichier \"" + directory.string() + "\". " + std::strerror(EISDIR));
    }

    const std::filesystem::path pipe = folder.Path() / "brick2.wav";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(ReadSoundFile(pipe, 1024).empty());
    EXPECT_TRUE(ReadSoundFile("/dev/zero", 1024 * 1024).empty());
}

} // namespace
} // namespace stacklume
