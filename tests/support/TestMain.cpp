#include <gtest/gtest.h>

#include "dbaccess/drivers/Drivers.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    dbaccess::RegisterDrivers();
    return RUN_ALL_TESTS();
}
