// Registration records of the automation component: what the registration
// script of the in-process library or of the local server writes, kept as
// files under $XDG_DATA_HOME/QRTCom/ (default ~/.local/share/QRTCom/).
//
// Each root key of the script is one file, HKEY_CLASSES_ROOT/<key path>.reg,
// in INI form: a "[key\subkey]" section per key, "@" for a key's default
// value and "Name=Value" for its named values. The type library (the
// interface description) is copied to TypeLib/<LIBID>/1.0/IQRTEngine.xml.
// Every file is written through a temporary file renamed into place.
//
// Both hosts share the ProgIDs, the class and the type library. Registering
// one host keeps the other's server key; unregistering one host removes its
// own server key and (local server) its AppID keys, and removes the shared
// records only when the other host is not registered either.
// Thread rule: one registering process at a time.
// Tests: the record set of each host, register twice, unregister each host
// alone and with the other registered, lookups through CurVer, refused names.
#pragma once

#include <cstdint>
#include <string>

namespace qrt::registration {

enum class Host { InProcess, LocalServer };

// Writes the records of `host` (modulePath: the absolute path of the library
// or program) under RecordsFolder(), replacing an earlier set. S_OK, or a
// failure HRESULT with *error saying why.
int32_t Register(Host host, const std::string& modulePath, std::string* error);

// Removes what Register wrote for `host`, and nothing else. S_OK (also when
// nothing was registered), or a failure HRESULT with *error saying why.
int32_t Unregister(Host host, std::string* error);

// The registered module of a ProgID ("QRTCom.QRTEngine" or
// "QRTCom.QRTEngine.1", without regard to case), following CurVer and the
// CLSID to InprocServer32 or LocalServer32; "" with *error when none.
std::string FindServer(const std::string& progId, Host host, std::string* error);

// The user's data folder: $XDG_DATA_HOME when it is absolute, else
// ~/.local/share (the home folder from HOME, else the password database),
// with a trailing "/".
std::string DataHomeFolder();

// DataHomeFolder() + "QRTCom/".
std::string RecordsFolder();

} // namespace qrt::registration
