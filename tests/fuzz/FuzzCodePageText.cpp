// Multibyte text of the interface code pages as it comes from the settings
// image, the unit and the profile: decoded, encoded again, cut and stored in
// fixed-width fields. Input: a byte choosing the code page and the field
// width, then the bytes.
#include <memory>

#include "document/CodePageText.h"
#include "document/Utf8.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

namespace {

// A field in a heap block of exactly its width, so a write past it shows.
void ExpectFieldKept(const std::wstring& wide, const std::string& bytes, size_t width,
                     uint32_t codePage) {
    auto field = std::make_unique<uint8_t[]>(width);
    const TextStore stored = WriteTextField(field.get(), width, wide, codePage);
    if (stored != TextStore::Unrepresentable) {
        const std::string back = FieldBytes(field.get(), width);
        fuzz::Expect(back.size() <= width, "a field holds its width");
        fuzz::Expect(FitOnCharBoundary(back, width, codePage) == back.size(),
                     "a stored text is cut on a character boundary");
        ReadTextField(field.get(), width, codePage);
    }
    WriteMultiField(field.get(), width, bytes, codePage);
    const std::string back = FieldBytes(field.get(), width);
    fuzz::Expect(back.size() <= width, "a field holds its width");
    fuzz::Expect(bytes.compare(0, back.size(), back) == 0, "a stored text is the text's start");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const uint8_t choice = in.Byte();
    const uint32_t codePage = choice & 0x80 ? kCodePageChinese : kCodePageJapanese;
    const size_t width = (choice & 0x7F) % 64 + 1;
    const std::string bytes(in.Rest());

    const std::wstring wide = MultiToWide(bytes, codePage);
    if (const auto again = WideToMulti(wide, codePage))
        MultiToWide(*again, codePage);

    const size_t fit = FitOnCharBoundary(bytes, width, codePage);
    fuzz::Expect(fit <= width && fit <= bytes.size(), "a cut fits");
    fuzz::Expect(FitOnCharBoundary(bytes.substr(0, fit), bytes.size(), codePage) == fit,
                 "a cut ends on a character boundary");
    ExpectFieldKept(wide, bytes, width, codePage);

    // The profile and the registration file hold UTF-8.
    const std::wstring fromUtf8 = Utf8ToWide(bytes);
    fuzz::Expect(Utf8ToWide(WideToUtf8(fromUtf8)) == fromUtf8, "UTF-8 text reads back");
    ExpectFieldKept(fromUtf8, WideToUtf8(fromUtf8), width, codePage);
    return 0;
}
