#include "state/game_json.h"

#include <gtest/gtest.h>

#include "state/lists.h"
#include "state/new_map.h"

namespace tavrine {
namespace {

TEST(GameJsonTest, FieldsGoIntoTheCallersObject) {
    GameType g;
    RunState run;
    NewMap(g, run, 2, 1, 1, 0);
    AddOrder(g, OrderMove, 1, OrderReady);
    g.Waves[0][1] = 7;
    g.Cell(1, 0).Object = std::make_unique<GameCellObjectType>();
    g.Cell(1, 0).Object->Smoke.emplace_back();

    JsonWriter w;
    w.BeginObject();
    WriteGameFields(w, g);
    w.Key("Runtime").BeginObject().Field("Ticks", 3).EndObject();
    w.EndObject();
    const std::string& text = w.Text();

    EXPECT_EQ(text.rfind("{\"CellWidth\":36,\"CellHeight\":36,\"Columns\":2,", 0), 0u) << text;
    EXPECT_NE(text.find(",\"InfoLabels\":[],\"Runtime\":{\"Ticks\":3}}"), std::string::npos) << text;
    EXPECT_EQ(GameToJson(g), text.substr(0, text.find(",\"Runtime\"")) + "}");
    EXPECT_NE(text.find("\"Object\":null,\"Occupant\":0,\"LeavingTank\":0,\"Occupancy\":0,\"Clear\":1,\"Waves\":[0]"),
              std::string::npos);
    EXPECT_NE(text.find("\"Smoke\":[{\"Image\":[0,5,0,0],\"Reserved\":0,\"X\":0,\"Y\":0,\"Spare\":0}]},"
                        "\"Occupant\":0,\"LeavingTank\":0,\"Occupancy\":0,\"Clear\":1,\"Waves\":[7]"),
              std::string::npos)
        << "the second cell carries the order's wave number";
}

}  // namespace
}  // namespace tavrine
