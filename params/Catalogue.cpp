#include "Catalogue.h"

#include <algorithm>
#include <array>

namespace params {

// A shorter list would leave entries empty.
static_assert(std::ranges::none_of(kCatalogueEntries, [](const ParamDesc& p) { return p.id == 0; }));

namespace {

constexpr int kLowestId = std::ranges::min(kCatalogueEntries, {}, &ParamDesc::id).id;
constexpr int kHighestId = std::ranges::max(kCatalogueEntries, {}, &ParamDesc::id).id;

// The catalogue index of every control ID from the lowest to the highest, -1 where there is none.
constexpr auto kIndexById = [] {
    std::array<int, kHighestId - kLowestId + 1> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < kCatalogueEntries.size(); ++i)
        index[static_cast<std::size_t>(kCatalogueEntries[i].id - kLowestId)] = static_cast<int>(i);
    return index;
}();

}  // namespace

std::span<const ParamDesc> Catalogue() { return kCatalogueEntries; }

std::optional<std::size_t> CatalogueIndex(int id) {
    if (id < kLowestId || id > kHighestId) return std::nullopt;
    const int i = kIndexById[static_cast<std::size_t>(id - kLowestId)];
    if (i < 0) return std::nullopt;
    return static_cast<std::size_t>(i);
}

const ParamDesc* FindParam(int id) {
    const auto i = CatalogueIndex(id);
    return i ? &kCatalogueEntries[*i] : nullptr;
}

std::size_t CountOf(Kind kind) {
    return static_cast<std::size_t>(std::ranges::count(kCatalogueEntries, kind, &ParamDesc::kind));
}

const ParamDesc* FindParam(std::string_view name) {
    for (const ParamDesc& p : kCatalogueEntries)
        if (p.name == name) return &p;
    return nullptr;
}

}  // namespace params
