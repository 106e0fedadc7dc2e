#include "LargestFile.h"

#include <string>

#include "Fields.h"
#include "Walks.h"

using namespace params;

MemoryDialog LargestFileDialog() {
    MemoryDialog dlg;
    ApplyDefaults(dlg);
    dlg.SetChecked(IDC_ADVANCED_ENABLED, true);
    std::string longest;
    while (longest.size() + 3 <= kMaxStringBytes) longest += "属";
    longest += std::string(kMaxStringBytes - longest.size(), 'x');
    for (const ParamDesc& p : Catalogue())
        if (p.kind == Kind::Name) dlg.SetText(p.id, longest);
    for (int i = 0; i < kMaxTableRows; ++i) {
        dlg.InsertRow(IDC_SPRITE_TABLE, i, std::to_string(i));
        dlg.SetCellText(IDC_SPRITE_TABLE, i, 1, kCategoryNames[i % 2]);
        dlg.SetCellText(IDC_SPRITE_TABLE, i, 2, std::to_string(255 - i));
        dlg.SetCellText(IDC_SPRITE_TABLE, i, 3, std::to_string(i * 7 % 256));
    }
    return dlg;
}
