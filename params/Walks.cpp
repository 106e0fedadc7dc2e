#include "Walks.h"

#include <iterator>

#include "Fields.h"

namespace params {

namespace {

void ApplyStartValue(const ParamDesc& p, IControlAccess& controls) {
    switch (p.kind) {
    case Kind::Number:
    case Kind::Name: controls.SetText(p.id, p.defaultText); break;
    case Kind::ModeChoice:
    case Kind::YesNoChoice: controls.SelectChoiceItem(p.id, p.defaultIndex); break;
    case Kind::Colour: controls.SetColor(p.id, p.defaultColor); break;
    case Kind::Table: SetTableRows(controls, p.id, {}); break;
    case Kind::Switch: break;
    }
}

}  // namespace

void ApplyDefaults(IControlAccess& controls) {
    for (const ParamDesc& p : Catalogue()) {
        if (p.kind == Kind::Number || p.kind == Kind::Name) controls.SetTextLimit(p.id, p.limit);
        for (std::string_view item : p.addOrder) controls.AddChoiceItem(p.id, item);
        ApplyStartValue(p, controls);
    }
}

bool CellStoredAsShown(int column, std::string_view text) {
    // A code without a name loads as its number.
    return (column == kCategoryColumn && NamedCategory(text)) || IsByteText(text);
}

ParameterImage ReadControls(const IControlAccess& controls) {
    ParameterImage image;
    image.advanced = controls.IsChecked(IDC_ADVANCED_ENABLED);
    for (const ParamDesc& p : Catalogue()) {
        FieldValue& v = image[p];
        switch (p.kind) {
        case Kind::Number: v.byte = LeadingIntegerByte(controls.GetText(p.id)); break;
        case Kind::Name: v.text = controls.GetText(p.id); break;
        case Kind::YesNoChoice: {
            const int sel = controls.GetChoiceSelection(p.id);
            v.byte = static_cast<std::uint8_t>(sel < 0 ? 0 : sel);
            break;
        }
        case Kind::ModeChoice: {
            const int sel = controls.GetChoiceSelection(p.id);
            v.text = p.items[static_cast<std::size_t>(
                sel >= 0 && sel < static_cast<int>(p.items.size()) ? sel : kDefaultModeIndex)];
            break;
        }
        case Kind::Colour: v.color = controls.GetColor(p.id); break;
        case Kind::Table: image.rows = GetTableRows(controls, p.id); break;
        case Kind::Switch: break;
        }
    }
    return image;
}

void ApplyImage(const ParameterImage& image, IControlAccess& controls) {
    controls.BeginUpdate();
    for (const ParamDesc& p : Catalogue()) {
        if (p.advanced && !image.advanced) continue;
        const FieldValue& v = image[p];
        switch (p.kind) {
        case Kind::Number: controls.SetText(p.id, ByteText(v.byte)); break;
        case Kind::Name: controls.SetText(p.id, v.text); break;
        case Kind::YesNoChoice: controls.SelectChoiceItem(p.id, v.byte); break;
        case Kind::ModeChoice:  // an empty name selects nothing rather than whatever item comes first
            controls.SelectChoiceItem(p.id, v.text.empty() ? -1 : controls.FindChoiceItem(p.id, v.text));
            break;
        case Kind::Colour: controls.SetColor(p.id, v.color); break;
        case Kind::Table: SetTableRows(controls, p.id, image.rows); break;
        case Kind::Switch: break;
        }
    }
    controls.EndUpdate();
}

void ApplyAdvancedDefaults(IControlAccess& controls) {
    for (const ParamDesc& p : Catalogue())
        if (p.advanced) ApplyStartValue(p, controls);
}

std::optional<std::vector<std::uint8_t>> BytesToSave(const IControlAccess& controls) {
    VectorSink bytes;
    if (!EncodeParameterFile(ReadControls(controls), bytes)) return std::nullopt;
    return std::move(bytes.data);
}

}  // namespace params
