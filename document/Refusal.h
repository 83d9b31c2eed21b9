// The answer to an OK or a field check (go on, or a refusal the window
// shows before it puts the focus on the field): every editor's model gives
// it, and so does the report's page set-up.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct Refusal {
    unsigned messageId = 0; // 0: nothing refused
    // Each "%d" or "%s" of the message text, in order, takes the next
    // argument: numbers as decimal text, texts as they are.
    std::vector<std::wstring> args;
    int field = 0; // the editor's own field number; 0: the focus stays
    // Shown as an error balloon on the field instead of a message box.
    bool balloon = false;

    bool Refused() const { return messageId != 0; }
};

// A refusal of message `id` with the focus on `field` and numeric arguments.
Refusal Refuse(unsigned id, int field, std::vector<long long> numbers = {});

// The refusal's text from the active string table.
std::wstring RefusalText(const Refusal& refusal);

// A text that must fit `width` bytes of the code page: refused rather than
// cut, so a double-byte character is never split. The too-long message takes
// the width (tooLong) or the width and its double-byte count (tooLongWide,
// for a double-byte interface); a text the code page cannot hold gets 29001.
Refusal CheckFieldText(const std::wstring& text, size_t width, uint32_t codePage, bool doubleByteUi,
                       int field, unsigned tooLong, unsigned tooLongWide);
// Stores a text checked by CheckFieldText, NUL-padded over the whole width;
// an unchanged text keeps its stored bytes.
void StoreFieldText(uint8_t* field, size_t width, const std::wstring& text, uint32_t codePage);

// The message text of `id` with its "%d" and "%s" markers (and "%ld",
// "%u") replaced in order by args; a marker without an argument is left
// out, an argument without a marker is ignored, "%%" is one "%".
std::wstring FormatResText(unsigned id, const std::vector<std::wstring>& args);

} // namespace qv
