#pragma once

// What every fuzz target needs: a private folder for the files a reader insists on opening, and a
// way to report a broken promise as a crash, which libFuzzer records with the input that caused it.

#include <QByteArray>
#include <QString>

#include <string_view>

namespace stacklume::fuzz {

// A folder of this process's own, on a memory file system when there is one, so that the many
// small writes of a run cost little and wear no disk. Removed when the process ends normally.
const QString& ScratchFolder();

// Replaces the file `name` of the scratch folder by `bytes` and returns its path.
QString WriteScratchFile(const QString& name, const QByteArray& bytes);

// Stops the run with `what` when `condition` is false: an invariant of the code under test broke.
void Require(bool condition, std::string_view what);

// Stops the run with `what` and both texts, escaped, when they differ.
void RequireSame(const QString& actual, const QString& expected, std::string_view what);

} // namespace stacklume::fuzz
