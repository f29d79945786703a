#include "app/about.h"

#include <gtest/gtest.h>

using namespace lumor;

TEST(About, SixLinesNamingTheProject) {
    EXPECT_EQ(aboutText(),
              "Tento program vytvořil\r\nProjekt Lumor\r\n2007\r\nEmail: lumor@example.org\r\n"
              "Doporučené rozlišení:\r\n1024x768");
}
