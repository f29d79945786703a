#include "route/route_list.h"
#include "route/route_rules.h"
#include "test_messages.h"
#include "text/errors.h"

#include <gtest/gtest.h>

using namespace lumor;

TEST(FibreLength, ChangeDerivesTheSpecificAttenuationFromTheRoute) {
    RecordingMessages m;
    RouteList route(m);
    route.AppendComponent(makeRecord({"Zdroj", "LED", "850", "-", "-15", "20", "-", "-", "-", "-", ""}));
    route.AppendComponent(makeRecord({"Vlákno", "G", "1310", "1,15", "-", "-", "0,1", "1", "3,3", "-", ""}));
    auto r = changedFibreRecord(route.grid(), 2, "10");
    ASSERT_TRUE(r);
    EXPECT_EQ(SlotText(*r, ComponentSlot::Attenuation), "3,48");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Length), "10");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Label), "G");
    EXPECT_FALSE(changedFibreRecord(route.grid(), 2, ""));
    EXPECT_FALSE(changedFibreRecord(route.grid(), 2, "0"));

    route.ReplaceComponent(2, makeRecord({"Vlákno", "G", "1310", "0", "-", "-", "0,1", "1", "0", "-", ""}));
    EXPECT_THROW(changedFibreRecord(route.grid(), 2, "5"), RefusalError);
    route.ReplaceComponent(2, makeRecord({"Vlákno", "G", "1310", "1E300", "-", "-", "0,1", "1", "1E-300", "-", ""}));
    EXPECT_THROW(changedFibreRecord(route.grid(), 2, "5"), RefusalError);
}

TEST(RouteGrid, CompletenessAndTheLengthCellRule) {
    RecordingMessages m;
    RouteList route(m);
    EXPECT_FALSE(gridRouteComplete(route.grid()));
    route.AppendComponent(makeRecord({"Zdroj", "", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_FALSE(gridRouteComplete(route.grid()));
    route.AppendComponent(makeRecord({"Vlákno", "", "", "", "", "", "", "", "5", "", ""}));
    route.AppendComponent(makeRecord({"Konektor", "", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_FALSE(gridRouteComplete(route.grid()));
    route.AppendComponent(makeRecord({"Detektor", "", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_TRUE(gridRouteComplete(route.grid()));

    EXPECT_EQ(fibreLengthColumn(route.grid(), 2, 9, 2, 9), 2);
    EXPECT_EQ(fibreLengthColumn(route.grid(), 3, 9, 3, 9), 0);  // a connector's length cell
    EXPECT_EQ(fibreLengthColumn(route.grid(), 2, 8, 2, 8), 0);  // another row of the fibre
    EXPECT_EQ(fibreLengthColumn(route.grid(), 2, 9, 3, 9), 0);  // more than one cell
}
