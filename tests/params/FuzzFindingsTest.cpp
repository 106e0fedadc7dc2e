// Inputs the load-walk fuzzer found, kept so that the faults stay mended.
#include <gtest/gtest.h>

#include <algorithm>

#include "Fields.h"
#include "MemoryDialog.h"
#include "Walks.h"

using namespace params;

namespace {

// A file that passed the check with a zero byte inside a name. Loading keeps
// only the text before the zero, so a save would not give the file back:
// the check must refuse it, while loading still takes the text as before.
TEST(FuzzFindings, CheckRefusesAStringWithAZeroByteInside) {
    MemoryDialog dlg;
    ApplyDefaults(dlg);
    dlg.SetText(IDC_ATTRIBUTE_NAME0, "A?B");
    VectorSink out;
    ASSERT_TRUE(EncodeParameterFile(ReadControls(dlg), out));
    std::vector<std::uint8_t>& file = out.data;
    const std::string_view name = "A?B";
    const auto at = std::search(file.begin(), file.end(), name.begin(), name.end());
    ASSERT_NE(at, file.end());

    for (std::size_t zero : {1u, 2u}) {  // inside the text, and its last byte
        std::vector<std::uint8_t> bad = file;
        bad[static_cast<std::size_t>(at - file.begin()) + zero] = 0;
        ParameterImage image;
        const Result checked = DecodeParameterFile(bad, false, Strictness::Check, image);
        ASSERT_FALSE(checked) << zero;
        EXPECT_EQ(checked.GetProblem().field, "attributeName[0]");
        EXPECT_EQ(checked.GetProblem().offset, static_cast<std::size_t>(at - file.begin()) - 2);

        ASSERT_TRUE(DecodeParameterFile(bad, false, Strictness::Load, image));
        EXPECT_EQ(image[*FindParam(IDC_ATTRIBUTE_NAME0)].text, std::string("A?B").substr(0, zero));
    }
    ParameterImage image;
    EXPECT_TRUE(DecodeParameterFile(file, false, Strictness::Check, image));
}

}  // namespace
