// tests/s/gui/events/ListenerListTest.cpp
#include "s/gui/events/ListenerList.h"

#include <functional>
#include <string>

#include <gmock/gmock.h>

#include "s/gui/events/IEventListener.h"

namespace s::gui::events {
namespace {

// Writes its name into a shared log and then does what the test gives it to do.
class Recorder final : public IEventListener {
public:
    Recorder(std::string* log, char name) : m_log(log), m_name(name) {}
    void onEvent(void* source, int32_t code) override {
        *m_log += m_name;
        lastSource = source;
        lastCode = code;
        if (action) action();
    }
    std::function<void()> action;
    void* lastSource = nullptr;
    int32_t lastCode = 0;

private:
    std::string* m_log;
    char m_name;
};

TEST(ListenerList, FiresInOrderWithSourceAndCodeAndKeepsDuplicates) {
    std::string log;
    Recorder a(&log, 'a'), b(&log, 'b');
    ListenerList list;
    list.add(&a);
    list.add(&b);
    list.add(&a);
    int source = 0;
    list.fire(&source, 7);
    EXPECT_EQ(log, "aba");
    EXPECT_EQ(b.lastSource, &source);
    EXPECT_EQ(b.lastCode, 7);
    EXPECT_EQ(list.count(), 3u);
}

TEST(ListenerList, ListenerAddedWhileFiringIsCalledInTheSamePass) {
    std::string log;
    Recorder a(&log, 'a'), b(&log, 'b'), c(&log, 'c');
    ListenerList list;
    a.action = [&] { list.add(&c); };
    list.add(&a);
    list.add(&b);
    list.fire(nullptr, 1);
    EXPECT_EQ(log, "abc");
    log.clear();
    a.action = nullptr;
    list.fire(nullptr, 1);
    EXPECT_EQ(log, "abc");
}

TEST(ListenerList, RemovalWhileFiringSkipsNoOtherListener) {
    struct Case {
        const char* what;
        int removerIndex;  // which listener removes
        int removedIndex;  // which one it removes
        const char* firstPass;
        const char* secondPass;
    } cases[] = {
        {"itself", 1, 1, "abcd", "acd"},
        {"an earlier one", 2, 0, "abcd", "bcd"},
        {"a later one", 0, 2, "abd", "abd"},
        {"the last one", 3, 3, "abcd", "abc"},
    };
    for (const Case& c : cases) {
        std::string log;
        Recorder r[4] = {{&log, 'a'}, {&log, 'b'}, {&log, 'c'}, {&log, 'd'}};
        ListenerList list;
        for (Recorder& each : r) list.add(&each);
        bool once = true;
        r[c.removerIndex].action = [&] {
            if (once) list.remove(&r[c.removedIndex]);
            once = false;
        };
        list.fire(nullptr, 0);
        EXPECT_EQ(log, c.firstPass) << c.what;
        EXPECT_EQ(list.count(), 3u) << c.what;
        log.clear();
        list.fire(nullptr, 0);
        EXPECT_EQ(log, c.secondPass) << c.what;
    }
}

TEST(ListenerList, NestedFiringClosesGapsOnlyAfterTheOuterPass) {
    std::string log;
    Recorder a(&log, 'a'), b(&log, 'b'), c(&log, 'c');
    ListenerList list;
    list.add(&a);
    list.add(&b);
    list.add(&c);
    int depth = 0;
    a.action = [&] {
        if (depth++ == 0) {
            list.remove(&b);
            list.fire(nullptr, 0);  // the inner pass sees the gap too
        }
    };
    list.fire(nullptr, 0);
    EXPECT_EQ(log, "aacc");
    EXPECT_EQ(list.count(), 2u);
}

TEST(ListenerList, ClearWhileFiringStopsTheRestOfThePass) {
    std::string log;
    Recorder a(&log, 'a'), b(&log, 'b');
    ListenerList list;
    a.action = [&] { list.clear(); };
    list.add(&a);
    list.add(&b);
    list.fire(nullptr, 0);
    EXPECT_EQ(log, "a");
    EXPECT_TRUE(list.isEmpty());
}

}  // namespace
}  // namespace s::gui::events
