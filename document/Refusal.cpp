#include "document/Refusal.h"

#include "document/CodePageText.h"
#include "document/StringTable.h"

namespace qv {

Refusal Refuse(unsigned id, int field, std::vector<long long> numbers) {
    Refusal r;
    r.messageId = id;
    r.field = field;
    for (long long n : numbers)
        r.args.push_back(std::to_wstring(n));
    return r;
}

std::wstring RefusalText(const Refusal& refusal) {
    return FormatResText(refusal.messageId, refusal.args);
}

std::wstring FormatResText(unsigned id, const std::vector<std::wstring>& args) {
    const std::wstring text = ResString(id);
    std::wstring out;
    size_t next = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        if (text[i + 1] == L'%') {
            out += L'%';
            ++i;
            continue;
        }
        size_t end = i + 1;
        if (text[end] == L'l')
            ++end;
        if (end < text.size() && (text[end] == L'd' || text[end] == L's' || text[end] == L'u')) {
            if (next < args.size())
                out += args[next];
            ++next;
            i = end;
            continue;
        }
        out += text[i];
    }
    return out;
}

Refusal CheckFieldText(const std::wstring& text, size_t width, uint32_t codePage, bool doubleByteUi,
                       int field, unsigned tooLong, unsigned tooLongWide) {
    const std::optional<std::string> bytes = WideToMulti(text, codePage);
    if (!bytes)
        return Refuse(kMsgTextNotInCodePage, field);
    if (bytes->size() > width) {
        const long long w = static_cast<long long>(width);
        // The English text has no place for the double-byte count.
        return doubleByteUi ? Refuse(tooLongWide, field, {w, w / 2}) : Refuse(tooLong, field, {w});
    }
    return {};
}

void StoreFieldText(uint8_t* field, size_t width, const std::wstring& text, uint32_t codePage) {
    if (const auto bytes = ShownTextToMulti(FieldBytes(field, width), text, codePage))
        WriteMultiField(field, width, *bytes, codePage);
}

} // namespace qv
