#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace stacklume {

// The background pictures: the "*.jpg" entries of the picture folders, scanned once, and the
// drawing of the chosen one into the well's background buffer. A name found in a later folder
// hides the same name in an earlier one, so the player's own picture wins over an installed one.
//
// A setting names a picture by its file name; it is matched against the names found without
// regard to case (an exact spelling wins), so "b.jpg" finds B.JPG. Names that were not found by
// the scan are never loaded.
class Backgrounds {
public:
    // Scans the folders. A missing or unreadable folder adds nothing.
    explicit Backgrounds(const QStringList& folders);

    // Every entry matching "*.jpg" in any case (whatever its kind), spelled as found, sorted
    // alphabetically without regard to case; the position of a name is its menu position.
    const QStringList& Names() const { return names_; }

    // Position of the name the setting stands for, or -1 when it names none of them.
    int CheckedIndex(const QString& backgroundFile) const;

    // The setting kept when it names a picture file; otherwise, when there are pictures, the
    // first name as found.
    QString ChooseFile(const QString& backgroundFile) const;

    // Decodes the picture and draws it into `buffer`: a picture whose name contains "pattern"
    // at its own size at the top-left, any other stretched over the whole buffer. The buffer holds
    // device pixels at its device pixel ratio, and the picture is drawn at that ratio: a pattern
    // covers as much of the well at 200 % as at 100 %, and a stretched picture is scaled once,
    // straight to the buffer's pixels. Returns false and leaves the buffer as it was when there
    // is no such picture file (any more). Throws JpegError, with the buffer untouched, when the
    // file cannot be decoded, and std::invalid_argument when the buffer's format cannot be
    // painted on.
    bool LoadPicture(const QString& backgroundFile, QImage& buffer) const;

    // LoadPicture in two steps, the first of which may run on another thread (it reads only
    // this object): the picture as it will be drawn into a buffer of `pixels` device pixels at
    // `ratio`, null when there is no such picture file, then its drawing.
    QImage DecodePicture(const QString& backgroundFile, QSize pixels, qreal ratio) const;
    static void DrawPicture(const QImage& picture, QImage& buffer);

    static bool IsPattern(const QString& backgroundFile);

private:
    // Full path of the picture file, or empty when the name was not found or is no regular file
    // (a folder, a broken link, a deleted file).
    QString PicturePath(const QString& backgroundFile) const;

    QStringList names_;
    // The folder of each name, in the order of names_.
    QStringList folders_;
};

} // namespace stacklume
