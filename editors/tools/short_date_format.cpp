#include "editors/tools/short_date_format.h"

#include "framework/format_settings.h"
#include "framework/sysutils.h"

void InitEditShortDateFormat() {
    FormatSettings.ShortDateFormat = Format("dd%0:smm%0:syyyy", {FormatSettings.DateSeparator});
}
