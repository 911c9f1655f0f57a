// The handle ring: insertion order, rotation on lookup, where a miss leaves
// the head, and removal.
#include <vector>

#include <gtest/gtest.h>

#include "api/sdk_chain.h"
#include "camera/lumvex.h"

namespace lumvex {
namespace {

class TestChain : public CSdkChain {
public:
    // Handles from the head following next, checked against the prev links.
    std::vector<int> Order() const
    {
        std::vector<int> handles;
        const Node* h = Head();
        if (!h)
            return handles;
        const Node* n = h;
        do {
            EXPECT_EQ(n->next->prev, n) << "prev link broken after " << n->data.handle;
            handles.push_back(n->data.handle);
            n = n->next;
        } while (n != h && handles.size() <= 16);
        return handles;
    }

    void AddHandle(int handle) { Add(CSDKDATA{handle, nullptr}); }
};

constexpr int A = 101, B = 202, C = 303, kUnknown = 999;

TEST(SdkRing, NewestEntryIsTheHead)
{
    TestChain ring;
    ring.AddHandle(A);
    ring.AddHandle(B);
    ring.AddHandle(C);
    EXPECT_EQ(ring.Order(), (std::vector<int>{C, B, A}));
    EXPECT_EQ(ring.Count(), 3);
}

TEST(SdkRing, LookupRotatesTheFoundEntryToTheHead)
{
    TestChain ring;
    ring.AddHandle(A);
    ring.AddHandle(B);
    ring.AddHandle(C);

    CSDKDATA* found = ring.Lookup(A);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->handle, A);
    EXPECT_EQ(ring.Order(), (std::vector<int>{A, C, B}));
}

TEST(SdkRing, MissLeavesTheHeadAtTheEntryThatWasLast)
{
    TestChain ring;
    ring.AddHandle(A);
    ring.AddHandle(B);
    ring.AddHandle(C);
    ASSERT_NE(ring.Lookup(A), nullptr);  // order A, C, B: B is last

    EXPECT_EQ(ring.Lookup(kUnknown), nullptr);
    EXPECT_EQ(ring.Order(), (std::vector<int>{B, A, C}));
    EXPECT_EQ(ring.Count(), 3);
}

TEST(SdkRing, RingOfOne)
{
    TestChain ring;
    ring.AddHandle(A);
    EXPECT_FALSE(ring.Find(kUnknown));
    EXPECT_EQ(ring.Order(), (std::vector<int>{A}));
    EXPECT_EQ(ring.Head()->next, ring.Head());
    EXPECT_EQ(ring.Head()->prev, ring.Head());

    EXPECT_TRUE(ring.RemoveHead());
    EXPECT_EQ(ring.Head(), nullptr);
    EXPECT_EQ(ring.Count(), 0);
    EXPECT_FALSE(ring.RemoveHead());
    EXPECT_FALSE(ring.Find(A));
}

TEST(SdkRing, RemoveTakesOutOnlyTheNamedEntry)
{
    TestChain ring;
    ring.AddHandle(A);
    ring.AddHandle(B);
    ring.AddHandle(C);

    EXPECT_TRUE(ring.Remove(B));
    EXPECT_EQ(ring.Count(), 2);
    EXPECT_EQ(ring.Order(), (std::vector<int>{A, C}));  // head moved past B
    EXPECT_FALSE(ring.Remove(B));
    EXPECT_EQ(ring.Count(), 2);

    ring.RemoveAll();
    EXPECT_EQ(ring.Count(), 0);
    EXPECT_EQ(ring.Head(), nullptr);
}

TEST(SdkRing, CreateCameraRegistersAnObjectUnderTheHandle)
{
    TestChain ring;
    const int first = ring.CreateCamera();
    const int second = ring.CreateCamera();
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_EQ(ring.Count(), 2);

    for (int handle : {first, second}) {
        CSDKDATA* entry = ring.Lookup(handle);
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(entry->camera, nullptr);
        delete entry->camera;  // the ring never owns the camera objects
        entry->camera = nullptr;
    }
}

}  // namespace
}  // namespace lumvex
