// Era names and era years from the user-editable era list, such as
// 2019/5/1="令和" 1989/1/8="平成" 1926/12/25="昭和" 1868="明治" 2118="".
#pragma once

#include <string>
#include <string_view>

#include "calendar/cal_date.h"

namespace tavoli {

// The default list of each language, as a bilingual literal (UTF-8 in the source).
extern const char* const kDefaultEraList;
// The defaults of earlier versions, which the first save wrote into the settings.
extern const char* const kEarlierDefaultEraLists[1];

// A stored list as the program takes it: one that equals an earlier default word for
// word (in the user's language) is read as the current default, so that users who never
// edited the list get the new eras; any other list stays as it is.
std::string EraListFromStored(const std::string& stored);

struct EraLookup {
    std::string name;    // bytes of the list
    int year = 0;        // era year; 0 when no entry starts on or before the date
    bool found = false;  // the name is not empty
};

// The entry with the latest start not after the date (the first listed among equal
// starts). A syntax error anywhere makes the whole lookup fail: empty name, year 0.
EraLookup LookUpEra(std::string_view eraList, CalDate date);

}  // namespace tavoli
