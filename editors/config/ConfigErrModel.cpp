#include "editors/config/ConfigErrModel.h"

namespace qv {

ConfigErrForm LoadConfigErr(const ErrorNotifyBlock& errors) {
    ConfigErrForm form;
    for (size_t i = 0; i < kErrorSwitchCount; ++i)
        form.switches[i] = errors.U8(errnotify::kFlags + i) != 0;
    form.recipients = errors.U16(errnotify::kRecipients);
    return form;
}

void StoreConfigErr(const ConfigErrForm& form, ErrorNotifyBlock& errors) {
    for (size_t i = 0; i < kErrorSwitchCount; ++i)
        errors.SetU8(errnotify::kFlags + i, form.switches[i] ? 1 : 0);
    errors.SetU16(errnotify::kRecipients, form.recipients);
}

} // namespace qv
