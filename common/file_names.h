// The names of the files the programs make beside the user's: the fixed work
// files of the current folder and the names made from a file's own name. A
// name is spelled here once, and every program takes it from here.
#pragma once

#include <string>

namespace rain {

// The resampling's caches in the current folder: the time grid of one day and
// the list of days of a series.
inline constexpr const char* kGridFile = "buffer_horas.dat";
inline constexpr const char* kDayListFile = "buffer_datas.dat";
// The maxima search's copy of the series, and the event being cut.
inline constexpr const char* kSearchWorkFile = "buffer_pesquisa.pvx";
inline constexpr const char* kEventWorkFile = "buffer_eventos.pvx";
// Where a series given as a pipe is copied by the programs that read it again.
inline constexpr const char* kSeriesCopy = "buffer_serie.pvx";

// `path` plus ".pvx": where a report, a table or a page is staged, and the
// work file the formatter's later stages read the series from.
inline std::string pvx_name(const std::string& path) { return path + ".pvx"; }
// `path` plus ".tmp": where the formatter stages its series, its outage list
// and the caches, which a later run takes up as it finds them.
inline std::string tmp_name(const std::string& path) { return path + ".tmp"; }
// `path` plus "~": the slots of the formatter's resampling.
inline std::string tilde_name(const std::string& path) { return path + "~"; }

}  // namespace rain
