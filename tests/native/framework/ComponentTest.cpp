#include <gtest/gtest.h>

#include "TestClasses.h"

using namespace fwtest;

namespace {
std::vector<std::string> Filtered(const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& e : Log())
        if (e.rfind(prefix, 0) == 0) out.push_back(e);
    return out;
}
}  // namespace

TEST(Component, OwnerFreesItsComponentsLastFirstAndEarlyDeletionLeavesTheOwner) {
    Log().clear();
    auto* root = new TTestRoot(nullptr);
    root->SetName("Root");
    auto* a = new TGadget(root);
    a->SetName("A");
    auto* b = new TGadget(root);
    b->SetName("B");
    auto* c = new TGadget(root);
    c->SetName("C");
    auto* nested = new TGadget(b);  // owned by B, freed with it
    nested->SetName("BB");
    ASSERT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(nested->Owner(), b);

    delete b;  // early: the owner forgets it at once
    ASSERT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->Components(0), a);
    EXPECT_EQ(root->Components(1), c);
    EXPECT_EQ(root->FindComponent("B"), nullptr);
    // A destructor body runs before the base frees the owned components.
    EXPECT_EQ(Filtered("delete:"), (std::vector<std::string>{"delete:B", "delete:BB"}));

    Log().clear();
    delete root;
    EXPECT_EQ(Filtered("delete:"), (std::vector<std::string>{"delete:Root", "delete:C", "delete:A"}));
}

TEST(Component, OwnedComponentsHearOfInsertionsAndRemovals) {
    Log().clear();
    TTestRoot root(nullptr);
    auto* a = new TGadget(&root);
    a->SetName("A");
    auto* b = new TGadget(nullptr);
    b->SetName("B");
    root.InsertComponent(b);
    EXPECT_EQ(Filtered("insert:"), (std::vector<std::string>{"insert:B@A"}));
    a->Buddy = b;
    Log().clear();
    delete b;
    EXPECT_EQ(Filtered("remove:"), (std::vector<std::string>{"remove:B@A"}));
    EXPECT_EQ(a->Buddy, nullptr) << "a reference to a freed sibling must be dropped";
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners) {
    Log().clear();
    TTestRoot left(nullptr), right(nullptr);
    auto* watcher = new TGadget(&left);
    watcher->SetName("Watcher");
    auto* watched = new TGadget(&right);
    watched->SetName("Watched");
    watcher->Buddy = watched;
    watcher->FreeNotification(watched);
    delete watched;
    EXPECT_EQ(watcher->Buddy, nullptr);
    // Deleting the watcher later must not touch the freed component.
    delete watcher;
    EXPECT_EQ(left.ComponentCount(), 0);

    auto* w2 = new TGadget(&left);
    auto* x2 = new TGadget(&right);
    w2->FreeNotification(x2);
    w2->RemoveFreeNotification(x2);
    w2->Buddy = x2;
    delete x2;
    EXPECT_EQ(w2->Buddy, x2) << "a removed subscription is not told";
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner) {
    TTestRoot root(nullptr);
    auto* a = new TGadget(&root);
    auto* b = new TGadget(&root);
    a->SetName("Button1");
    EXPECT_THROW(b->SetName("button1"), Exception) << "names compare without case";
    EXPECT_THROW(b->SetName("1abc"), Exception);
    EXPECT_THROW(b->SetName("a b"), Exception);
    b->SetName("Button2");
    EXPECT_EQ(root.FindComponent("BUTTON2"), b);
    EXPECT_EQ(root.FindComponent(""), nullptr);
    a->SetName("");  // unnamed components may repeat
    b->SetName("");
    EXPECT_EQ(root.FindComponent("Button1"), nullptr);
    // A named component cannot join an owner that has the name already.
    b->SetName("Twin");
    TGadget stray(nullptr);
    stray.SetName("Twin");
    EXPECT_THROW(root.InsertComponent(&stray), Exception);
    EXPECT_EQ(stray.Owner(), nullptr);
}

TEST(Component, StatesAndClassIdentity) {
    TBigGadget big(nullptr);
    EXPECT_EQ(big.ClassName(), "TBigGadget");
    EXPECT_TRUE(big.InheritsFrom("tgadget"));
    EXPECT_TRUE(big.InheritsFrom("TComponent"));
    EXPECT_FALSE(big.InheritsFrom("TTestRoot"));
    EXPECT_EQ(big.ComponentState(), 0u);
    big.SetState(TComponentState::Loading, true);
    big.SetState(TComponentState::Designing, true);
    EXPECT_TRUE(big.HasState(TComponentState::Loading));
    big.Loaded();
    EXPECT_FALSE(big.HasState(TComponentState::Loading)) << "Loaded ends the loading state";
    EXPECT_TRUE(big.HasState(TComponentState::Designing));
}

TEST(Component, MessagesGoToTheClassHandlerOrTheDefault) {
    TTestRoot root(nullptr);
    TMessage hot{786, 1, 2, 0};
    root.Dispatch(hot);
    EXPECT_EQ(hot.Result, 7);
    TMessage other{787, 0, 0, 0};
    root.Dispatch(other);
    EXPECT_EQ(root.handled, std::vector<std::uint32_t>{786});
    EXPECT_EQ(root.defaulted, std::vector<std::uint32_t>{787});
}

namespace {
// Records, when freed, what its weak link to another component reads.
class TWatcher : public tv::TComponent {
    TV_CLASS(TWatcher, tv::TComponent)
    using TComponent::TComponent;
    ~TWatcher() override { *seen = watched.Get(); }
    tv::WeakPtr<tv::TComponent> watched;
    tv::TComponent** seen = nullptr;
};
const tv::TClassInfo& TWatcher::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TWatcher>("TWatcher").Done();
    return info;
}
}  // namespace

TEST(Component, WeakLinksReadNullOnceTheirTargetIsFreedAndCopiesAgree) {
    auto* owner = new TGadget(nullptr);
    auto* a = new TGadget(owner);
    tv::WeakPtr<TGadget> first(a), second = a, none;
    tv::WeakPtr<tv::TComponent> asBase(a);
    EXPECT_EQ(first.Get(), a);
    EXPECT_EQ(asBase.Get(), a);
    EXPECT_EQ(none.Get(), nullptr);
    tv::WeakPtr<TGadget> copy = first;
    delete a;
    for (const auto* w : {&first, &second, &copy}) EXPECT_EQ(w->Get(), nullptr);
    EXPECT_EQ(asBase.Get(), nullptr);

    // Freed with its owner, as owned components are.
    auto* b = new TGadget(owner);
    first = b;
    EXPECT_EQ(first.Get(), b);
    delete owner;
    EXPECT_EQ(first.Get(), nullptr);

    // Pointing elsewhere lets go of the old target.
    TGadget c(nullptr), d(nullptr);
    first = &c;
    first = &d;
    EXPECT_EQ(first.Get(), &d);
    first.Reset();
    EXPECT_EQ(first.Get(), nullptr);
}

TEST(Component, ComponentsFreedByADyingOwnerFindTheirLinksToItCleared) {
    auto* owner = new TGadget(nullptr);
    auto* watcher = new TWatcher(owner);
    tv::TComponent* seen = owner;
    watcher->seen = &seen;
    watcher->watched = owner;
    delete owner;  // frees the watcher from inside its destruction
    EXPECT_EQ(seen, nullptr) << "a half-destroyed owner was still reachable";

    // A sibling freed first sees the other whole.
    auto* root = new TGadget(nullptr);
    auto* other = new TGadget(root);
    auto* sibling = new TWatcher(root);
    sibling->seen = &seen;
    sibling->watched = other;
    delete sibling;
    EXPECT_EQ(seen, other);
    delete root;
}
