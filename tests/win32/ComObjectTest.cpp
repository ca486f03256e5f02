// The IUnknown of our COM objects: which interfaces it answers, under one
// identity, and when the object goes.
#include <gtest/gtest.h>

#include <ole2.h>

#include "shared/ComObject.h"

namespace {

// Two interfaces of its own and one (IPersist) that IPersistFile derives
// from. It tells through flag when it is deleted.
class TSample final : public TComObject<IDropSource, IPersistFile, IPersist> {
public:
  explicit TSample(bool& deleted) : deleted_(&deleted) {}
  ~TSample() override { *deleted_ = true; }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

private:
  bool* deleted_;
};

// Asks object for iid and gives the pointer answered (the reference taken is
// handed back at once).
void* Ask(IUnknown* object, REFIID iid, HRESULT& hr) {
  void* answer = reinterpret_cast<void*>(1);
  hr = object->QueryInterface(iid, &answer);
  if (SUCCEEDED(hr)) static_cast<IUnknown*>(answer)->Release();
  return answer;
}

TEST(ComObject, AnswersItsInterfacesAndIUnknownUnderOneIdentityAndNothingElse) {
  bool deleted = false;
  auto* sample = new TSample(deleted);
  IUnknown* identity = static_cast<IDropSource*>(sample);
  struct TCase {
    const IID& Iid;
    void* Expected;  // null: not answered
  };
  const TCase cases[] = {
      {IID_IUnknown, identity},
      {IID_IDropSource, static_cast<IDropSource*>(sample)},
      {IID_IPersistFile, static_cast<IPersistFile*>(sample)},
      {IID_IPersist, static_cast<IPersist*>(sample)},
      {IID_IDropTarget, nullptr},
      {IID_IDispatch, nullptr},
      {IID_IPersistStream, nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "interface answered: " << (c.Expected != nullptr));
    HRESULT hr = E_FAIL;
    // Asked through each interface, the object answers the same.
    for (IUnknown* through : {identity, static_cast<IUnknown*>(static_cast<IPersistFile*>(sample))}) {
      void* answer = Ask(through, c.Iid, hr);
      EXPECT_EQ(hr, c.Expected ? S_OK : E_NOINTERFACE);
      EXPECT_EQ(answer, c.Expected);
    }
  }
  EXPECT_EQ(identity->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_FALSE(deleted);
  EXPECT_EQ(identity->Release(), 0u);
  EXPECT_TRUE(deleted);
}

TEST(ComObject, CountsReferencesFromItsMakersOneAndIsDeletedAtZero) {
  bool deleted = false;
  IDropSource* source = new TSample(deleted);
  EXPECT_EQ(source->AddRef(), 2u);
  IPersist* persist = nullptr;
  ASSERT_EQ(source->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK);
  EXPECT_EQ(persist->Release(), 2u) << "a query takes a reference";
  EXPECT_EQ(source->Release(), 1u);
  EXPECT_FALSE(deleted);
  EXPECT_EQ(source->Release(), 0u);
  EXPECT_TRUE(deleted);
}

TEST(ComObject, AMadeObjectIsHeldOnceByItsPointerAndGoesWithIt) {
  bool deleted = false;
  {
    const Microsoft::WRL::ComPtr<TSample> sample = MakeComObject<TSample>(deleted);
    EXPECT_EQ(sample->AddRef(), 2u);
    EXPECT_EQ(sample->Release(), 1u);
  }
  EXPECT_TRUE(deleted);
}

// An out-parameter's reference taken over, as from the system's factories and
// our own makers: the pointer holds exactly that one and releases it.
TEST(ComObject, AnAdoptedReferenceIsHeldOnceAndReleasedWithThePointer) {
  bool deleted = false;
  {
    IDropSource* held = new TSample(deleted);  // one reference, ours to give away
    const Microsoft::WRL::ComPtr<IDropSource> adopted = AdoptReference(held);
    EXPECT_EQ(adopted->AddRef(), 2u);
    EXPECT_EQ(adopted->Release(), 1u);
  }
  EXPECT_TRUE(deleted);
}

}  // namespace
