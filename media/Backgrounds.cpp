#include "Backgrounds.h"

#include "JpegDecoder.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace stacklume {

Backgrounds::Backgrounds(const QStringList& folders) {
    QMap<QString, QString> folderOfName;
    for (const QString& folder : folders) {
        // Every kind of entry is listed, as the game always did; only regular files are loaded.
        const QStringList names = QDir(folder).entryList(
            {QStringLiteral("*.jpg")}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
            QDir::Unsorted);
        for (const QString& name : names)
            folderOfName.insert(name, folder);
    }
    names_ = folderOfName.keys();
    // The file system lists in no useful order; ties between spellings are broken so the order
    // does not depend on it either.
    std::ranges::sort(names_, [](const QString& left, const QString& right) {
        const int order = left.compare(right, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : left < right;
    });
    for (const QString& name : names_)
        folders_.append(folderOfName.value(name));
}

int Backgrounds::CheckedIndex(const QString& backgroundFile) const {
    const qsizetype exact = names_.indexOf(backgroundFile);
    if (exact >= 0)
        return int(exact);
    const auto found = std::ranges::find_if(
        names_, [&](const QString& name) { return name.compare(backgroundFile, Qt::CaseInsensitive) == 0; });
    return found == names_.end() ? -1 : int(found - names_.begin());
}

QString Backgrounds::ChooseFile(const QString& backgroundFile) const {
    if (!names_.isEmpty() && PicturePath(backgroundFile).isEmpty())
        return names_.first();
    return backgroundFile;
}

bool Backgrounds::LoadPicture(const QString& backgroundFile, QImage& buffer) const {
    if (buffer.isNull())
        return false;
    // Decoded completely before anything is drawn, so a bad file leaves the buffer as it was.
    const QImage picture = DecodePicture(backgroundFile, buffer.size(), buffer.devicePixelRatio());
    if (picture.isNull())
        return false;
    DrawPicture(picture, buffer);
    return true;
}

QImage Backgrounds::DecodePicture(const QString& backgroundFile, QSize pixels, qreal ratio) const {
    const QString path = PicturePath(backgroundFile);
    if (path.isEmpty())
        return {};
    QImage picture;
    if (IsPattern(backgroundFile)) {
        picture = DecodeJpeg(path, QSize());
        if (ratio != 1) {
            // Only what the well can show is scaled: a large pattern costs no more than the well.
            const QSize shown(static_cast<int>(std::ceil(pixels.width() / ratio)),
                              static_cast<int>(std::ceil(pixels.height() / ratio)));
            const QImage part = picture.copy(QRect(QPoint(), shown.boundedTo(picture.size())));
            picture = part.scaled(part.size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    } else {
        picture = DecodeJpeg(path, pixels).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture.setDevicePixelRatio(ratio);
    return picture;
}

// Picture and buffer have the same device pixel ratio: the painter copies pixel for pixel.
void Backgrounds::DrawPicture(const QImage& picture, QImage& buffer) {
    QPainter painter(&buffer);
    if (!painter.isActive())
        throw std::invalid_argument("the background buffer's image format cannot be painted on");
    painter.drawImage(QPointF(0, 0), picture);
}

bool Backgrounds::IsPattern(const QString& backgroundFile) {
    return backgroundFile.contains(QStringLiteral("pattern"), Qt::CaseInsensitive);
}

QString Backgrounds::PicturePath(const QString& backgroundFile) const {
    const int index = CheckedIndex(backgroundFile);
    if (index < 0)
        return {};
    const QString path = QDir(folders_[index]).filePath(names_[index]);
    // isFile() follows symbolic links: a link to a picture counts, a link to a folder does not.
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace stacklume
