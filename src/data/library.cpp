#include "data/library.h"

namespace tavrine {

namespace {
template <typename T>
const T* At(const std::vector<T>& v, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= v.size()) return nullptr;
    return &v[static_cast<std::size_t>(i)];
}
}  // namespace

const PictureList* FindList(const ImageLibrary& library, const ImageRef& ref) {
    const Subgroups* group = At(library.Images, ref.Group);
    if (!group) return nullptr;
    const PictureLists* subgroup = At(*group, ref.Subgroup);
    if (!subgroup) return nullptr;
    return At(*subgroup, ref.List);
}

const Picture* FindPicture(const ImageLibrary& library, const ImageRef& ref) {
    const PictureList* list = FindList(library, ref);
    return list ? At(list->Pictures, ref.Frame) : nullptr;
}

bool ImageSize(const ImageLibrary& library, const ImageRef& ref, std::int32_t& width, std::int32_t& height) {
    const Picture* picture = FindPicture(library, ref);
    if (!picture) return false;
    width = picture->Width;
    height = picture->Height;
    return true;
}

}  // namespace tavrine
