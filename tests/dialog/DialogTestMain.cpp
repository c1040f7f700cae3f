#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/Application.h"
#include "dbaccess/drivers/Drivers.h"

// The dialog's tests run under the program's own application object, on the
// offscreen platform unless another is asked for.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    TApplication application(argc, argv);
    dbaccess::RegisterDrivers();
    return RUN_ALL_TESTS();
}
