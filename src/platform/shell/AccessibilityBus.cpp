// One NameHasOwner call on a private session bus connection, through libdbus's C interface.
#include "platform/shell/AccessibilityBus.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/SharedLibrary.h"

namespace plexon {

namespace {

// libdbus's types and constants, as its public interface defines them.
struct DBusConnection;
struct DBusMessage;
// DBusError is two pointers, a word of flags and a pointer; room to spare, zeroed, is enough for
// dbus_error_init, which writes it.
struct alignas(void*) DBusErrorSpace {
    unsigned char bytes[64] = {};
};
using dbus_bool_t = std::uint32_t;
constexpr int kSessionBus = 0;
constexpr int kTypeString = 's', kTypeBoolean = 'b', kTypeInvalid = 0;

struct DBus {
    void (*error_init)(DBusErrorSpace*);
    void (*error_free)(DBusErrorSpace*);
    DBusConnection* (*bus_get_private)(int, DBusErrorSpace*);
    void (*connection_close)(DBusConnection*);
    void (*connection_unref)(DBusConnection*);
    DBusMessage* (*message_new_method_call)(const char*, const char*, const char*, const char*);
    dbus_bool_t (*message_append_args)(DBusMessage*, int, ...);
    DBusMessage* (*send_with_reply_and_block)(DBusConnection*, DBusMessage*, int, DBusErrorSpace*);
    dbus_bool_t (*message_get_args)(DBusMessage*, DBusErrorSpace*, int, ...);
    void (*message_unref)(DBusMessage*);
};

template <class F>
bool Find(void* library, const char* name, F& function) {
    std::string reason;
    function = LibraryFunctionAs<F>(library, name, reason);
    return function != nullptr;
}

// Where the session bus would be found without starting one: libdbus would otherwise launch a bus of
// its own on the display for a program that merely asks.
bool SessionBusKnown() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime && ::access((std::string(runtime) + "/bus").c_str(), F_OK) == 0;
}

}  // namespace

bool AccessibilityBusRunning() {
    if (!SessionBusKnown()) return false;
    std::string reason;
    void* library = OpenLibrary("libdbus-1.so.3", reason);
    DBus d{};
    if (!library || !Find(library, "dbus_error_init", d.error_init) ||
        !Find(library, "dbus_error_free", d.error_free) ||
        !Find(library, "dbus_bus_get_private", d.bus_get_private) ||
        !Find(library, "dbus_connection_close", d.connection_close) ||
        !Find(library, "dbus_connection_unref", d.connection_unref) ||
        !Find(library, "dbus_message_new_method_call", d.message_new_method_call) ||
        !Find(library, "dbus_message_append_args", d.message_append_args) ||
        !Find(library, "dbus_connection_send_with_reply_and_block", d.send_with_reply_and_block) ||
        !Find(library, "dbus_message_get_args", d.message_get_args) ||
        !Find(library, "dbus_message_unref", d.message_unref))
        return false;
    DBusErrorSpace error;
    d.error_init(&error);
    DBusConnection* bus = d.bus_get_private(kSessionBus, &error);
    dbus_bool_t owned = 0;
    if (bus) {
        if (DBusMessage* call = d.message_new_method_call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                          "org.freedesktop.DBus", "NameHasOwner")) {
            const char* name = "org.a11y.Bus";
            if (d.message_append_args(call, kTypeString, &name, kTypeInvalid))
                if (DBusMessage* reply = d.send_with_reply_and_block(bus, call, 1000, &error)) {
                    if (!d.message_get_args(reply, &error, kTypeBoolean, &owned, kTypeInvalid)) owned = 0;
                    d.message_unref(reply);
                }
            d.message_unref(call);
        }
        d.connection_close(bus);
        d.connection_unref(bus);
    }
    d.error_free(&error);
    return owned != 0;
}

}  // namespace plexon
