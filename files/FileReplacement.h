#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace stacklume {

// Puts `content` in place of what the file at `path` holds (creating it when it is missing), and
// returns why that failed, or nothing once the content is there.
//
// The new content goes into a new file of the same folder, which replaces the old one in a single
// rename: a failure or a kill at any moment leaves the old file whole.
//
// Only where the folder takes no new file but the file itself may be written is it written in
// place. Room for the new content is reserved first, so that a full disk fails before any byte
// changes; then the old bytes are overwritten, never emptied first, and the file is cut to the new
// length. A failure puts the old bytes back and is reported. A kill in the middle of such a write
// can still leave the new bytes as far as they got followed by the rest of the old ones (or, where
// the file grows, by zero bytes).
[[nodiscard]] std::optional<QString> ReplaceFileContent(const QString& path, const QByteArray& content);

} // namespace stacklume
