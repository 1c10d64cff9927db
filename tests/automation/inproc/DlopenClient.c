/* A client of libQRTCom.so that knows only QRTCom.h: loads the library with
 * dlopen, gets the class factory, computes an account through the
 * invoke-by-name call, reads Balance, releases everything, and checks
 * DllCanUnloadNow on the way. Usage: DlopenClient path/to/libQRTCom.so
 * Exits 0 when every check holds; prints the failed check otherwise. */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#include "QRTCom.h"

static int failures = 0;
#define CHECK(condition)                                             \
    do {                                                             \
        if (!(condition)) {                                          \
            fprintf(stderr, "line %d: %s\n", __LINE__, #condition); \
            ++failures;                                              \
        }                                                            \
    } while (0)

#define LOAD(library, name) ((__typeof__(&name))dlsym(library, #name))

static QRTVariant I4(int32_t v) { QRTVariant x; x.vt = QRT_VT_I4; x.lVal = v; return x; }
static QRTVariant Cy(int64_t v) { QRTVariant x; x.vt = QRT_VT_CY; x.cyVal = v; return x; }
static QRTVariant Date(double v) { QRTVariant x; x.vt = QRT_VT_DATE; x.date = v; return x; }

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) {
        fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    __typeof__(&DllGetClassObject) getClassObject = LOAD(library, DllGetClassObject);
    __typeof__(&DllCanUnloadNow) canUnloadNow = LOAD(library, DllCanUnloadNow);
    __typeof__(&QRTEngine_InvokeByName) invokeByName = LOAD(library, QRTEngine_InvokeByName);
    __typeof__(&QRTEngine_Release) release = LOAD(library, QRTEngine_Release);
    __typeof__(&QRTEngine_get_Balance) getBalance = LOAD(library, QRTEngine_get_Balance);
    if (!getClassObject || !canUnloadNow || !invokeByName || !release || !getBalance) return 1;

    QRTClassFactory* factory = NULL;
    QRTEngine* engine = NULL;
    CHECK(canUnloadNow() == QRT_S_OK);
    CHECK(getClassObject("{00000000-0000-0000-0000-000000000000}", &factory) == QRT_CLASS_E_CLASSNOTAVAILABLE);
    CHECK(getClassObject("{47ef5c1c-de75-428c-9dfc-9ebe3117d1ee}", &factory) == QRT_S_OK && factory != NULL);
    if (factory == NULL) return 1;
    CHECK(canUnloadNow() == QRT_S_FALSE); /* a factory reference */
    CHECK(factory->lpVtbl->CreateInstance(factory, (void*)factory, &engine) == QRT_CLASS_E_NOAGGREGATION);
    CHECK(factory->lpVtbl->CreateInstance(factory, NULL, &engine) == QRT_S_OK && engine != NULL);
    if (engine == NULL) return 1;
    CHECK(factory->lpVtbl->LockServer(factory, 1) == QRT_S_OK);
    CHECK(factory->lpVtbl->Release(factory) == 0);
    CHECK(canUnloadNow() == QRT_S_FALSE); /* the object and the lock */

    /* Tax $5,000 and a payment of $1,000, both on 15 April 2021 (OLE date
     * 44301 = 2021-01-01's 44197 + 104 days), computed through that same day:
     * no day of interest, so the balance is $4,000 exactly (40,000,000 CY). */
    QRTVariant tax[4], payment[4], day, jurisdiction, result;
    int32_t argErr = -1;
    tax[0] = I4(QRTEventTypeTax), tax[1] = Date(44301.0), tax[2] = Cy(50000000), tax[3] = Cy(0);
    payment[0] = I4(QRTEventTypePayment), payment[1] = Date(44301.0), payment[2] = Cy(10000000), payment[3] = Cy(0);
    day = Date(44301.0);
    CHECK(invokeByName(engine, "AddEvent", QRT_DISPATCH_METHOD, tax, 4, &result, &argErr) == QRT_S_OK);
    CHECK(result.vt == QRT_VT_EMPTY);
    CHECK(invokeByName(engine, "addevent", QRT_DISPATCH_METHOD, payment, 4, NULL, NULL) == QRT_S_OK);
    CHECK(invokeByName(engine, "Balance", QRT_DISPATCH_PROPERTYGET, NULL, 0, &result, NULL) == QRT_E_PENDING);
    CHECK(invokeByName(engine, "Compute", QRT_DISPATCH_METHOD, tax, 1, NULL, &argErr) == QRT_DISP_E_TYPEMISMATCH);
    CHECK(argErr == 0);
    CHECK(invokeByName(engine, "Compute", QRT_DISPATCH_METHOD, &day, 1, NULL, NULL) == QRT_S_OK);
    CHECK(invokeByName(engine, "Balance", QRT_DISPATCH_PROPERTYGET, NULL, 0, &result, NULL) == QRT_S_OK);
    CHECK(result.vt == QRT_VT_CY && result.cyVal == 40000000);
    int64_t balance = 0;
    CHECK(getBalance(engine, &balance) == QRT_S_OK && balance == 40000000);
    CHECK(invokeByName(engine, "Jurisdiction", QRT_DISPATCH_PROPERTYGET, NULL, 0, &jurisdiction, NULL) == QRT_S_OK);
    CHECK(jurisdiction.vt == QRT_VT_BSTR && strcmp(jurisdiction.bstrVal, "FEDERAL") == 0);
    LOAD(library, QRTVariant_Clear)(&jurisdiction);

    CHECK(release(engine) == 0);
    CHECK(canUnloadNow() == QRT_S_FALSE); /* the lock alone */
    CHECK(getClassObject(QRTCOM_CLSID_QRTEngine, &factory) == QRT_S_OK);
    CHECK(factory->lpVtbl->LockServer(factory, 0) == QRT_S_OK);
    CHECK(factory->lpVtbl->Release(factory) == 0);
    CHECK(canUnloadNow() == QRT_S_OK);
    dlclose(library);
    return failures == 0 ? 0 : 1;
}
