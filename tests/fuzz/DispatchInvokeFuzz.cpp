// Feeds arbitrary calls to the dispatch half of IQRTEngine, the path every
// late-bound client takes (the Python module's calls, a D-Bus client's
// arguments once checked by type): each input is a sequence of calls, a
// member chosen by index and kind, its argument count nudged, each argument
// a tag and value taken from the bytes. A call must return an HRESULT and
// never crash; a refused conversion names an argument inside the list.
// WriteReport is skipped (it would write files at fuzzed paths); the engine
// folder is a scratch copy of the shipped table.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzBytes.h"
#include "FuzzScratch.h"
#include "automation/CQRTEngine.h"
#include "automation/IQRTEngineDescription.h"
#include "automation/inproc/DispatchTable.h"

namespace {

using fuzz::Bytes;

constexpr int32_t kTags[] = {QRT_VT_EMPTY, QRT_VT_I4, QRT_VT_R8, QRT_VT_CY, QRT_VT_DATE, QRT_VT_BSTR};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        const std::string& folder = fuzz::Folder("/tmp/qrt-fuzz-dispatch-XXXXXX");
        std::filesystem::copy_file(std::string(QRT_DATA_DIR) + "/FEDERAL.TB3", folder + "FEDERAL.TB3");
        setenv("QRT_ENGINE_DIR", folder.c_str(), 1);
        return true;
    }();
    (void)ready;
    Bytes in{data, size};
    CQRTEngine engine;
    std::vector<std::string> texts;
    for (int call = 0; call < 64 && in.size > 0; ++call) {
        const InterfaceMember& member = kInterfaceMembers[in.Byte() % kInterfaceMemberCount];
        if (std::strcmp(member.name, "WriteReport") == 0) continue;
        const int32_t flags = member.kind == MemberKind::Put   ? QRT_DISPATCH_PROPERTYPUT
                              : member.kind == MemberKind::Get ? QRT_DISPATCH_PROPERTYGET
                                                               : QRT_DISPATCH_METHOD;
        const uint8_t shape = in.Byte();
        int count = 0;
        for (int p = 0; p < member.paramCount; ++p)
            count += kInterfaceParams[member.firstParam + p].direction == ParamDirection::In;
        if (shape % 16 == 0) count += 1;  // now and then one argument too many or too few
        if (shape % 16 == 1 && count > 0) count -= 1;
        std::vector<QRTVariant> args(count);
        texts.assign(count, std::string());
        for (int i = 0; i < count; ++i) {
            QRTVariant& a = args[i];
            a.vt = kTags[in.Byte() % 6];
            switch (a.vt) {
                case QRT_VT_I4: a.lVal = in.Value<int32_t>(); break;
                case QRT_VT_R8: a.dblVal = in.Value<double>(); break;
                case QRT_VT_CY: a.cyVal = in.Value<int64_t>(); break;
                case QRT_VT_DATE: a.date = in.Value<double>(); break;
                case QRT_VT_BSTR: {
                    const size_t n = in.Byte();
                    for (size_t k = 0; k < n && in.size > 0; ++k) texts[i] += static_cast<char>(in.Byte());
                    a.bstrVal = texts[i].data();
                    break;
                }
                default: break;
            }
        }
        QRTVariant result;
        int32_t argErr = -1;
        const HRESULT hr = InvokeMember(engine, member.dispId, flags, args.data(), count, &result, &argErr);
        if (hr == static_cast<HRESULT>(0x80020005u) && (argErr < 0 || argErr >= count)) std::abort();
        if (hr >= 0 && result.vt == QRT_VT_BSTR) std::free(result.bstrVal);
    }
    return 0;
}
