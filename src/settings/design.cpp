#include "settings/design.h"

namespace tavoli {

Design Design::FromValues(int header, int weekday, int rows, int footer) {
    Design design;
    design.header = static_cast<HeaderStyle>(header >= 0 && header <= 2 ? header : 0);
    design.weekday = static_cast<WeekdayStyle>(weekday >= 0 && weekday <= 3 ? weekday : 0);
    design.rows = static_cast<RowsStyle>(rows >= 0 && rows < kRowsStyleCount ? rows : 0);
    design.footer = static_cast<FooterStyle>(footer >= 0 && footer <= 5 ? footer : 0);
    return design;
}

}  // namespace tavoli
