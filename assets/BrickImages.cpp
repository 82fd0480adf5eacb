#include "BrickImages.h"

#include "BrickDesigns.h"
#include "BrickPainter.h"

#include <tuple>
#include <utility>
#include <variant>

namespace stacklume {

namespace {

static_assert(std::tuple_size_v<BrickImageList> == BrickImageCount);

BrickImageList MakeMulticoloured(int size) {
    BrickImageList list;
    for (std::size_t index = 0; index < list.size(); ++index)
        list[index] = PaintBrick(MulticolouredDesigns()[index], size);
    return list;
}

// Shared pictures are copies of the multicoloured QImage, so they are the very same pixels.
BrickImageList MakeRedShades(const BrickImageList& multicoloured, int size) {
    BrickImageList list;
    for (std::size_t index = 0; index < list.size(); ++index) {
        const RedShadesEntry& entry = RedShadesEntries()[index];
        if (const auto* shared = std::get_if<SameAsMulticoloured>(&entry))
            list[index] = multicoloured.at(static_cast<std::size_t>(shared->Index));
        else
            list[index] = PaintBrick(std::get<BrickDesign>(entry), size);
    }
    return list;
}

std::pair<BrickImageList, BrickImageList> MakeSchemes(int size) {
    BrickImageList multicoloured = MakeMulticoloured(size);
    BrickImageList redShades = MakeRedShades(multicoloured, size);
    return {std::move(multicoloured), std::move(redShades)};
}

void AddSizeClass(BrickImageLists& lists, int sizeClass) {
    switch (sizeClass) {
    case 0:
        std::tie(lists.List1, lists.ImageList4) = MakeSchemes(22);
        break;
    case 1:
        std::tie(lists.ImageList1, lists.ImageList3) = MakeSchemes(26);
        break;
    default:
        std::tie(lists.ImageList5, lists.ImageList2) = MakeSchemes(29);
        break;
    }
}

} // namespace

BrickImageLists MakeBrickImages() {
    BrickImageLists lists;
    for (int sizeClass = 0; sizeClass < 3; ++sizeClass)
        AddSizeClass(lists, sizeClass);
    return lists;
}

BrickImageLists MakeBrickImages(int sizeClass) {
    BrickImageLists lists;
    AddSizeClass(lists, sizeClass);
    return lists;
}

} // namespace stacklume
