#include "applet/profiles/profile_order.h"

#include <optional>
#include <string_view>

namespace {

std::optional<std::u16string_view> FieldOf(const ProfileRecord& record, int sortKey) {
    const auto present = [](const std::u16string& text) {
        return text.empty() ? std::nullopt : std::optional<std::u16string_view>(text);
    };
    if ((sortKey & sort_key::kName) != 0) {
        return present(record.name);
    }
    if ((sortKey & sort_key::kAlias) != 0) {
        return record.alias ? present(*record.alias) : std::nullopt;
    }
    return present(record.subName);
}

}  // namespace

int CompareProfileRows(const ProfileRecord* first, const ProfileRecord* second, int sortKey) {
    if (first == nullptr || second == nullptr) {
        return first == second ? 0 : (first == nullptr ? -1 : 1);
    }
    if ((sortKey & (sort_key::kName | sort_key::kAlias | sort_key::kSubName)) == 0) {
        return 0;
    }
    const auto a = FieldOf(*first, sortKey);
    const auto b = FieldOf(*second, sortKey);
    int result = 0;
    if (a && b) {
        const int order = a->compare(*b);
        result = order < 0 ? -1 : (order > 0 ? 1 : 0);
    } else if (a || b) {
        result = a ? 1 : -1;
    }
    return (sortKey & sort_key::kDescending) != 0 ? -result : result;
}

int SortKeyAfterColumnClick(int sortKey, int column) {
    const int direction = (sortKey & sort_key::kDescending) ^ sort_key::kDescending;
    switch (column) {
        case 0:
            return direction | sort_key::kName;
        case 1:
            return direction | sort_key::kAlias;
        default:
            return direction | sort_key::kSubName;
    }
}
