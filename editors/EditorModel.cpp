#include "editors/EditorModel.h"

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

} // namespace qv
