#pragma once
// Times of day as the time lists write them ("9A.M.", "12:30P.M.") and as
// people type them ("9 am", "12:30pm", "17:00").
#include <QString>
#include <optional>

// Minutes after midnight (0..1439), or nothing when the text is no time of
// day: an hour 1 to 12 with A.M. or P.M. (any case, dots and blanks as they
// come, minutes after a colon), or an hour 0 to 23 with minutes on a 24-hour
// clock. 12A.M. is midnight and 12P.M. is noon.
std::optional<int> minutesOfDay(const QString& text);

// Hours from start to stop. A stop not later than the start is on the next
// day ("11P.M. - 7A.M." is eight hours).
double shiftHours(int startMinutes, int stopMinutes);
