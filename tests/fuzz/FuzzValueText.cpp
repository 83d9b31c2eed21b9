// Value texts as typed into the editors: checked and converted by their data
// type, then shown again. Input: a byte choosing the data type and the code
// page, then the text in UTF-8.
#include <cmath>

#include "document/Utf8.h"
#include "document/ValueText.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

namespace {

// A value the editor took must read back from the text it then shows.
void ExpectShownTextReadsBack(int type, uint32_t value32, uint64_t value64, uint32_t codePage) {
    const std::wstring shown = FormatValueByType(type, value32, value64);
    uint32_t again32 = 0;
    uint64_t again64 = 0;
    const int r = ParseValueByType(shown, type, again32, again64, codePage);
    if (type == 6) {
        fuzz::Expect(r == kValueOk || r == kValueTooPrecise, "a shown float reads back");
        return;
    }
    fuzz::Expect(r == kValueOk, "a shown value reads back");
    fuzz::Expect(type >= 7 ? again64 == value64 : again32 == value32,
                 "a shown value reads back unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const uint8_t choice = in.Byte();
    const int type = choice % 10; // 9: no such type
    const uint32_t codePage = choice & 0x80 ? kCodePageChinese : kCodePageJapanese;
    const std::wstring text = Utf8ToWide(std::string(in.Rest()));

    uint32_t value32 = 0;
    uint64_t value64 = 0;
    const int r = ParseValueByType(text, type, value32, value64, codePage);
    fuzz::Expect(r == kValueOk || r == kValueBadText || r == kValueOutOfRange ||
                     r == kValueTooPrecise,
                 "ParseValueByType result");
    fuzz::Expect(type != 9 || r == kValueOutOfRange, "an unknown type is refused");
    if (r == kValueOk)
        ExpectShownTextReadsBack(type, value32, value64, codePage);

    TextToInt64(text, codePage);
    HasAtMostSixDigits(text, codePage);
    HexTextToUInt(std::string(in.Rest()));
    const FloatTextResult f = TextToFloat(text);
    if (f.ok)
        fuzz::Expect(std::fabs(f.value) < 100000.0f, "a scale keeps 4 integer digits");
    else
        fuzz::Expect(f.messageId == kMsgBadNumberText || f.messageId == kMsgNumberTooLarge,
                     "a refused scale names its message");
    return 0;
}
