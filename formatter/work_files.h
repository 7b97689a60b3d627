// The two caches of the resampling through the work files, kept in the
// current directory between runs: the time grid of one day (kGridFile) and
// the list of days of a series (kDayListFile), each keyed by its first line.
// Each is staged under its tmp_name and moved into place when whole, so that a
// run killed half-way never leaves a cut one. The resampling itself does not
// read them.
#pragma once

#include "common/calendar.h"
#include "common/env.h"
#include "common/file_names.h"
#include "formatter/passo.h"

namespace rain::formatter {

// Writes the grid file: line 1 "<step as typed> 00:00:00", then the start of
// every slot of a day. Throws Failure when the file cannot be written.
void PUTHORAS(Env& env, const Passo& intervalo);

// Writes the day list: line 1 "<inicio> <fim>", then every day from `inicio`
// to `fim` (through the turn of the century when `fim` comes before). Throws
// Failure when the file cannot be written.
void PUTDATAS(Env& env, const CalendarDate& inicio, const CalendarDate& fim);

// Keeps the grid an earlier run left when it holds, line for line, what
// PUTHORAS writes for this step; writes it anew otherwise.
void prepare_grid(Env& env, const Passo& intervalo);

// Keeps the day list an earlier run left when its first line names two dates
// whose range covers the series by date key, it holds line for line what
// PUTDATAS writes for them, and the series' first and last days lie in it in
// that order; writes it anew for the series otherwise.
void prepare_day_list(Env& env, const CalendarDate& primeira, const CalendarDate& ultima);

}  // namespace rain::formatter
