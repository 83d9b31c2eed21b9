// Contact and register address texts as typed into the editors. Input: a
// byte choosing port, area and mode, then the text in UTF-8.
#include "document/AddressText.h"
#include "document/Records.h"
#include "document/Utf8.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const uint8_t choice = in.Byte();
    const int port = choice % 3;
    const int area = (choice / 3) % 20;
    const int mode = (choice / 60) % 3;
    const std::string narrow(in.Rest());
    const std::wstring text = Utf8ToWide(narrow);

    ParseBitAddress(narrow);
    if (IsBitAddressText(area, text, port)) {
        // A checked address shows as a text that names the same contact.
        const uint32_t value = ParseBitAddress(WideToUtf8(text));
        const std::wstring shown = FormatBitAddress(value);
        fuzz::Expect(ParseBitAddress(WideToUtf8(shown)) == value, "a shown address reads back");
        fuzz::Expect(IsBitAddressText(area, shown, kPortSerial1), "a shown address passes");
    }
    IsWordAddressText(area, text, port, mode);
    return 0;
}
