#include "common/device_names.h"

#include <gtest/gtest.h>

namespace rain {
namespace {

TEST(WindowsDeviceNames, EveryDeviceInAnyCaseFolderOrExtension) {
  for (const char* name : {"CON", "prn", "Aux", "nul", "COM1", "com9", "LPT1", "lpt9", "NUL.txt", "con.tar.gz",
                           "C:\\Dados\\aux.txt", "saida/NUL", "d:\\x/Com3.dat", "C:nul", "NUL .txt", "nul."}) {
    EXPECT_TRUE(names_windows_device(name)) << name;
  }
}

TEST(WindowsDeviceNames, OrdinaryNamesThatOnlyLookAlike) {
  for (const char* name : {"", "CONSOLE", "nul_1.txt", "COM0", "COM10", "LPT", "auxiliar.txt", "NUL\\serie.txt",
                           "xcon", "COM1a", "relatorio.con"}) {
    EXPECT_FALSE(names_windows_device(name)) << name;
  }
}

}  // namespace
}  // namespace rain
