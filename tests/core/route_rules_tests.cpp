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
    auto r = changedFibreRecord(route, 2, "10");
    ASSERT_TRUE(r);
    EXPECT_EQ(SlotText(*r, ComponentSlot::Attenuation), "3,48");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Length), "10");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Label), "G");
    EXPECT_FALSE(changedFibreRecord(route, 2, ""));
    EXPECT_FALSE(changedFibreRecord(route, 2, "0"));

    route.ReplaceComponent(2, makeRecord({"Vlákno", "G", "1310", "0", "-", "-", "0,1", "1", "0", "-", ""}));
    EXPECT_THROW(changedFibreRecord(route, 2, "5"), RefusalError);
    route.ReplaceComponent(2, makeRecord({"Vlákno", "G", "1310", "1E300", "-", "-", "0,1", "1", "1E-300", "-", ""}));
    EXPECT_THROW(changedFibreRecord(route, 2, "5"), RefusalError);
}

TEST(RouteGrid, CompletenessWithItsReasonAndTheLengthCellRule) {
    RecordingMessages m;
    RouteList route(m);
    const std::string rule = " Trasa musí začínat zdrojem a končit detektorem.";
    EXPECT_EQ(incompleteRouteReason(route), "Trasa není úplná: je prázdná." + rule);
    route.AppendComponent(makeRecord({"Zdroj", "LED", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_EQ(incompleteRouteReason(route), "Trasa není úplná: má jen jednu komponentu, Zdroj „LED“." + rule);
    route.AppendComponent(makeRecord({"Vlákno", "", "", "", "", "", "", "", "5", "", ""}));
    route.AppendComponent(makeRecord({"Detektor", "PIN", "", "", "", "", "", "", "-", "", ""}));
    route.AppendComponent(makeRecord({"Konektor", "SC", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_EQ(incompleteRouteReason(route),
              "Trasa není úplná: v posledním sloupci (4) je Konektor „SC“, ne detektor (detektor stojí ve sloupci 3)." +
                  rule);
    route.MoveComponent(4, 3);
    EXPECT_EQ(incompleteRouteReason(route), std::nullopt);
    route.MoveComponent(1, 2);
    EXPECT_EQ(incompleteRouteReason(route), "Trasa není úplná: ve sloupci 1 je Vlákno, ne zdroj." + rule);
    route.MoveComponent(2, 1);

    EXPECT_EQ(fibreLengthColumn(route, 2, 9, 2, 9), 2);
    EXPECT_EQ(fibreLengthColumn(route, 3, 9, 3, 9), 0);  // a connector's length cell
    EXPECT_EQ(fibreLengthColumn(route, 2, 8, 2, 8), 0);  // another row of the fibre
    EXPECT_EQ(fibreLengthColumn(route, 2, 9, 3, 9), 0);  // more than one cell
}
