// Writes the fuzzer's starting corpus: valid files of every shape, each
// saved from a dialog by the core itself, behind the byte that chooses the
// state of "使用" at loading.
#include <cstdio>
#include <string>

#include "Fields.h"
#include "FuzzInput.h"
#include "MemoryDialog.h"
#include "FileIo.h"
#include "Walks.h"

using namespace params;

namespace {

const int kNames[] = {IDC_EQUIP_SLOT0, IDC_EQUIP_SLOT1,     IDC_EQUIP_SLOT2,     IDC_EQUIP_SLOT3,
                      IDC_EQUIP_SLOT4, IDC_ATTRIBUTE_NAME0, IDC_ATTRIBUTE_NAME1, IDC_ATTRIBUTE_NAME2};

void SetNames(MemoryDialog& dlg, const std::string& text) {
    for (int id : kNames) dlg.SetText(id, text);
}

void AddRows(MemoryDialog& dlg, int count) {
    std::vector<TableRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i % 2),
                        static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)});
    SetTableRows(dlg, IDC_SPRITE_TABLE, rows);
}

bool WriteSeed(const std::string& dir, const std::string& name, bool loadAdvanced, const MemoryDialog& dlg) {
    VectorSink out;
    const std::uint8_t selector = FuzzSelector(loadAdvanced);
    out.Put(&selector, 1);
    return EncodeParameterFile(ReadControls(dlg), out) && WriteFileAtomically(dir + "/" + name, out.data);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;

    MemoryDialog base;
    ApplyDefaults(base);
    ok &= WriteSeed(dir, "base", false, base);
    ok &= WriteSeed(dir, "base-loaded-advanced", true, base);  // ends exactly after the base block

    MemoryDialog odd = base;
    SetNames(odd, "");
    for (const ParamDesc& p : Catalogue())
        if (p.kind == Kind::ModeChoice || p.kind == Kind::YesNoChoice) odd.SelectChoiceItem(p.id, 0);
    ok &= WriteSeed(dir, "empty-names", false, odd);

    std::string longest;
    while (longest.size() + 3 <= kMaxStringBytes) longest += "属";  // 85 three-byte characters
    for (int rows : {0, 3, 255}) {
        MemoryDialog dlg = base;
        dlg.SetChecked(IDC_ADVANCED_ENABLED, true);
        AddRows(dlg, rows);
        ok &= WriteSeed(dir, "advanced-" + std::to_string(rows), true, dlg);
        ok &= WriteSeed(dir, "advanced-" + std::to_string(rows) + "-loaded-base", false, dlg);
        SetNames(dlg, rows == 3 ? "" : longest);
        ok &= WriteSeed(dir, "advanced-" + std::to_string(rows) + (rows == 3 ? "-empty" : "-long") + "-names", true,
                        dlg);
    }
    if (!ok) std::fprintf(stderr, "make_seeds: cannot write the seeds into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
