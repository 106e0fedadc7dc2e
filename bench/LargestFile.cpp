#include "LargestFile.h"

#include <string>

#include "Fields.h"
#include "Walks.h"

using namespace params;

MemoryDialog LargestFileDialog(int variant) {
    const int shift = variant == 0 ? 0 : 128;  // every byte differs between the variants
    MemoryDialog dlg;
    ApplyDefaults(dlg);
    dlg.SetChecked(IDC_ADVANCED_ENABLED, true);
    std::string longest;
    while (longest.size() + 3 <= kMaxStringBytes) longest += variant == 0 ? "属" : "性";
    longest += std::string(kMaxStringBytes - longest.size(), variant == 0 ? 'x' : 'y');
    int n = 0;
    for (const ParamDesc& p : Catalogue()) {
        const auto value = static_cast<std::uint8_t>(n++ + shift);
        switch (p.kind) {
        case Kind::Number: dlg.SetText(p.id, ByteText(value)); break;
        case Kind::Name: dlg.SetText(p.id, longest); break;
        case Kind::ModeChoice: dlg.SelectChoiceItem(p.id, variant == 0 ? kDefaultModeIndex : 0); break;
        case Kind::YesNoChoice: dlg.SelectChoiceItem(p.id, variant == 0 ? 1 : 0); break;
        case Kind::Colour:
            dlg.SetColor(p.id, Rgb(value, static_cast<std::uint8_t>(value + 1), static_cast<std::uint8_t>(value + 2)));
            break;
        case Kind::Switch:
        case Kind::Table: break;
        }
    }
    std::vector<TableRow> rows;
    for (int i = 0; i < kMaxTableRows; ++i)
        rows.push_back({static_cast<std::uint8_t>(i + shift), static_cast<std::uint8_t>((i + variant) % 2),
                        static_cast<std::uint8_t>(255 - i + shift), static_cast<std::uint8_t>(i * 7 + shift)});
    SetTableRows(dlg, IDC_SPRITE_TABLE, rows);
    return dlg;
}
