#include <gtest/gtest.h>

#include "core/app/CatalogueChipDatabase.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

TEST(CatalogueChipDatabase, FamiliesAreTheCataloguesFirstTwoCharacters) {
    test::ScratchDir dir;
    {
        test::RecordingOperator op;
        ReadChipXml none(op, dir.path());
        std::int32_t selector = 1;
        EXPECT_FALSE(CatalogueChipDatabase(none, selector).isChipFamilyName("QR64L74M"))
            << "no catalogue, no family";
    }
    dir.write("ChipList/KLW20_mcu.xml", R"(<Root><ChipSeries>
      <Series type="OTP"><S name="QR6x"><C name="QR64L74M"/><C name="QR62J61"/></S></Series>
      <Series type="MTP"><S name="31"><C name="31P10"/></S><!-- QZ100 --></Series>
    </ChipSeries></Root>)");
    test::RecordingOperator op;
    ReadChipXml document(op, dir.path());
    std::int32_t selector = 1;
    CatalogueChipDatabase chips(document, selector);
    struct Case {
        const char* name;
        bool family;
    };
    for (const Case& c :
         {Case{"QR64L74M", true}, Case{"QR99", true}, Case{"31ABC", true}, Case{"QZ100", false},
          Case{"qr64", false}, Case{"Q", false}, Case{"", false}, Case{"3", false}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(chips.isChipFamilyName(c.name), c.family);
    }
    EXPECT_TRUE(op.shown.empty());
}

}  // namespace
}  // namespace vexlor
