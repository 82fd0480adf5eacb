// Writes every brick image to one PNG so the designs can be judged by eye: one row per list
// (List1, ImageList4, ImageList1, ImageList3, ImageList5, ImageList2), images 0 to 13 from the
// left, each enlarged without smoothing on a mid-grey ground.
//
//     brick_contact_sheet sheet.png [scale]

#include "BrickImages.h"

#include <QPainter>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int LargestBrick = 29;
constexpr int Gap = 2;
constexpr int DefaultScale = 4;
constexpr int MaximumScale = 16;

QImage ContactSheet(const stacklume::BrickImageLists& lists, int scale) {
    const std::array<const stacklume::BrickImageList*, 6> rows{&lists.List1,      &lists.ImageList4,
                                                               &lists.ImageList1, &lists.ImageList3,
                                                               &lists.ImageList5, &lists.ImageList2};
    const int cell = (LargestBrick + Gap) * scale;
    QImage sheet(cell * static_cast<int>(lists.List1.size()) + Gap * scale,
                 cell * static_cast<int>(rows.size()) + Gap * scale, QImage::Format_RGB32);
    sheet.fill(QColor(128, 128, 128));
    QPainter painter(&sheet);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t index = 0; index < rows[row]->size(); ++index) {
            const QImage& brick = (*rows[row])[index];
            const QImage enlarged =
                brick.scaled(brick.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            painter.drawImage(Gap * scale + cell * static_cast<int>(index),
                              Gap * scale + cell * static_cast<int>(row), enlarged);
        }
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [SCALE 1..%d, default %d]\n", argv[0], MaximumScale,
                     DefaultScale);
        return 2;
    }
    int scale = DefaultScale;
    if (argc == 3) {
        char* end = nullptr;
        const long parsed = std::strtol(argv[2], &end, 10);
        if (*end != '\0' || parsed < 1 || parsed > MaximumScale) {
            std::fprintf(stderr, "scale must be a whole number from 1 to %d, not \"%s\"\n", MaximumScale,
                         argv[2]);
            return 2;
        }
        scale = static_cast<int>(parsed);
    }
    const QImage sheet = ContactSheet(stacklume::MakeBrickImages(), scale);
    if (!sheet.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
