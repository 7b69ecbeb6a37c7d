// Era names and era years from the user-editable era list, such as
// 1989/1/8="平成" 1926/12/25="昭和" 1868="明治" 2088="".
#pragma once

#include <string>
#include <string_view>

#include "calendar/cal_date.h"

namespace tavoli {

// The default list of each language, as a bilingual literal (UTF-8 in the source).
extern const char* const kDefaultEraList;

struct EraLookup {
    std::string name;    // bytes of the list
    int year = 0;        // era year; 0 when no entry starts on or before the date
    bool found = false;  // the name is not empty
};

// The entry with the latest start not after the date (the first listed among equal
// starts). A syntax error anywhere makes the whole lookup fail: empty name, year 0.
EraLookup LookUpEra(std::string_view eraList, CalDate date);

}  // namespace tavoli
