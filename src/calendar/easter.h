// Easter Sunday, on which the movable feasts of most Christian countries hang: the Western
// one by the Gregorian computus, and the Orthodox one by the Julian computus, given as the
// Gregorian date it falls on.
#pragma once

#include "calendar/cal_date.h"

namespace tavoli {

// Easter Sunday of the Gregorian year (proleptic before 1583).
CalDate WesternEaster(int year);
// Easter Sunday by the Julian computus of the Julian year of the same number, as a Gregorian
// date (from 1583 to 4099 always in April or May of that Gregorian year).
CalDate OrthodoxEaster(int year);

}  // namespace tavoli
