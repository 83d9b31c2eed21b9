#include "editors/config/ConfigUserModel.h"

namespace qv {

void ClearRecipients(UserTable& users, const std::vector<int>& rows) {
    for (int row : rows)
        if (row >= 0 && static_cast<size_t>(row) < UserTable::kCount)
            users[static_cast<size_t>(row)].Clear();
}

} // namespace qv
