#include "BrickImages.h"

#include "BrickDesigns.h"
#include "BrickPainter.h"

#include <tuple>
#include <utility>
#include <variant>

namespace stacklume {

namespace {

static_assert(std::tuple_size_v<BrickImageList> == BrickImageCount);

BrickImageList MakeMulticoloured(const BrickScale& scale) {
    BrickImageList list;
    for (std::size_t index = 0; index < list.size(); ++index)
        list[index] = PaintBrick(MulticolouredDesigns()[index], scale);
    return list;
}

// Shared pictures are copies of the multicoloured QImage, so they are the very same pixels.
BrickImageList MakeRedShades(const BrickImageList& multicoloured, const BrickScale& scale) {
    BrickImageList list;
    for (std::size_t index = 0; index < list.size(); ++index) {
        const RedShadesEntry& entry = RedShadesEntries()[index];
        if (const auto* shared = std::get_if<SameAsMulticoloured>(&entry))
            list[index] = multicoloured.at(static_cast<std::size_t>(shared->Index));
        else
            list[index] = PaintBrick(std::get<BrickDesign>(entry), scale);
    }
    return list;
}

std::pair<BrickImageList, BrickImageList> MakeSchemes(int size, double ratio) {
    const BrickScale scale = ScaleBrick(size, ratio);
    BrickImageList multicoloured = MakeMulticoloured(scale);
    BrickImageList redShades = MakeRedShades(multicoloured, scale);
    return {std::move(multicoloured), std::move(redShades)};
}

void AddSizeClass(BrickImageLists& lists, int sizeClass, double ratio) {
    switch (sizeClass) {
    case 0:
        std::tie(lists.List1, lists.ImageList4) = MakeSchemes(22, ratio);
        break;
    case 1:
        std::tie(lists.ImageList1, lists.ImageList3) = MakeSchemes(26, ratio);
        break;
    default:
        std::tie(lists.ImageList5, lists.ImageList2) = MakeSchemes(29, ratio);
        break;
    }
}

} // namespace

BrickImageLists MakeBrickImages() {
    BrickImageLists lists;
    for (int sizeClass = 0; sizeClass < 3; ++sizeClass)
        AddSizeClass(lists, sizeClass, 1.0);
    return lists;
}

BrickImageLists MakeBrickImages(int sizeClass, double ratio) {
    BrickImageLists lists;
    AddSizeClass(lists, sizeClass, ratio);
    return lists;
}

} // namespace stacklume
