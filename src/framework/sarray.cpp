#include "framework/sarray.h"

#include <algorithm>
#include <new>

#include "framework/messages.h"
#include "framework/platform.h"

namespace tavoli {

ErrorValue SArray::Resize(int64_t count) {
    if (count < 0 || count > kMaxCount) {
        items_.clear();
        items_.shrink_to_fit();
        return ErrorFromKey("array_size");
    }
    if (items_.size() > 65536) {
        // Cannot happen through this class; kept as the container's last line of defence.
        ShowMessage(AnsiFromUtf8("SArray::Reallocでエラーが生じました。すぐにデータを保存してプログラムを下さい。"));
        return kUnregisteredKey;  // "internal_error" is not registered
    }
    try {
        std::vector<std::string> table;
        table.reserve(static_cast<size_t>(count));
        const size_t keep = std::min(items_.size(), static_cast<size_t>(count));
        for (size_t i = 0; i < keep; ++i) table.push_back(std::move(items_[i]));
        try {
            table.resize(static_cast<size_t>(count));
        } catch (const std::bad_alloc&) {
            items_.clear();
            return ErrorFromKey("object_alloc");
        }
        items_.swap(table);
    } catch (const std::bad_alloc&) {
        return ErrorFromKey("memory_alloc");
    }
    return kSuccess;
}

ErrorValue SArray::Append(std::string text) {
    // A full array refuses the element and keeps what it holds.
    if (static_cast<int64_t>(items_.size()) >= kMaxCount) return ErrorFromKey("array_size");
    const ErrorValue error = Resize(static_cast<int64_t>(items_.size()) + 1);
    if (error != kSuccess) return error;
    items_.back() = std::move(text);
    return kSuccess;
}

}  // namespace tavoli
