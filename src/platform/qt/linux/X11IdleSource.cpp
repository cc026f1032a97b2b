#include "platform/qt/linux/X11IdleSource.h"

#include "platform/qt/linux/XcbConnection.h"

#include <xcb/screensaver.h>
#include <xcb/sync.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>

namespace quillmere::qt {

namespace {

// The longest threshold a timer can wait for (about 24 days); longer ones are cut to it.
constexpr std::int64_t MaxThresholdMs = INT_MAX;

std::int64_t fromXcb(xcb_sync_int64_t value) {
    return static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(value.hi)) << 32) | value.lo);
}

xcb_sync_int64_t toXcb(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    return {static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32)),
            static_cast<std::uint32_t>(bits)};
}

// The IDLETIME counter in the server's list, read byte by byte: each entry is the counter (4
// bytes), its resolution (8), the name's length (2) and the name, padded to 4 bytes. xcb's own
// struct for an entry is 16 bytes long, so its name accessor starts two bytes late.
std::optional<xcb_sync_counter_t>
findIdleCounter(const xcb_sync_list_system_counters_reply_t& list) {
    const auto* entry = reinterpret_cast<const std::uint8_t*>(&list) + sizeof list;
    const auto* end =
        reinterpret_cast<const std::uint8_t*>(&list) + 32 + 4 * std::size_t{list.length};
    constexpr std::string_view wanted = "IDLETIME";
    for (std::uint32_t i = 0; i < list.counters_len && end - entry >= 14; ++i) {
        xcb_sync_counter_t counter = 0;
        std::uint16_t nameLength = 0;
        std::memcpy(&counter, entry, sizeof counter);
        std::memcpy(&nameLength, entry + 12, sizeof nameLength);
        if (end - entry < 14 + nameLength) {
            break;
        }
        if (std::string_view(reinterpret_cast<const char*>(entry + 14), nameLength) == wanted) {
            return counter;
        }
        entry += (14 + nameLength + 3) & ~3;
    }
    return std::nullopt;
}

void setAlarm(xcb_connection_t* connection, xcb_sync_alarm_t alarm, xcb_sync_counter_t counter,
              std::int64_t value, xcb_sync_testtype_t test) {
    const xcb_sync_create_alarm_value_list_t values{counter,      XCB_SYNC_VALUETYPE_ABSOLUTE,
                                                    toXcb(value), static_cast<std::uint32_t>(test),
                                                    toXcb(0),     1};
    xcb_sync_create_alarm_aux(connection, alarm,
                              XCB_SYNC_CA_COUNTER | XCB_SYNC_CA_VALUE_TYPE | XCB_SYNC_CA_VALUE |
                                  XCB_SYNC_CA_TEST_TYPE | XCB_SYNC_CA_DELTA | XCB_SYNC_CA_EVENTS,
                              &values);
}

} // namespace

std::unique_ptr<X11IdleSource> X11IdleSource::create() {
    return open(std::nullopt);
}

std::unique_ptr<X11IdleSource> X11IdleSource::create(Method method) {
    return open(method);
}

std::unique_ptr<X11IdleSource> X11IdleSource::open(std::optional<Method> only) {
    auto connection = XcbConnection::open();
    if (!connection) {
        return nullptr;
    }
    xcb_connection_t* c = connection->get();
    // The extension queries and the saver's settings go out together: one round trip.
    xcb_prefetch_extension_data(c, &xcb_sync_id);
    xcb_prefetch_extension_data(c, &xcb_screensaver_id);
    const auto settingsCookie = xcb_get_screen_saver(c);
    XcbPointer<xcb_get_screen_saver_reply_t> settings(
        xcb_get_screen_saver_reply(c, settingsCookie, nullptr));

    const xcb_query_extension_reply_t* sync = xcb_get_extension_data(c, &xcb_sync_id);
    if (only != Method::ScreenSaver && sync != nullptr && sync->present != 0) {
        // And these two a second one.
        const auto initialize =
            xcb_sync_initialize(c, XCB_SYNC_MAJOR_VERSION, XCB_SYNC_MINOR_VERSION);
        const auto listing = xcb_sync_list_system_counters(c);
        XcbPointer<xcb_sync_initialize_reply_t> version(
            xcb_sync_initialize_reply(c, initialize, nullptr));
        XcbPointer<xcb_sync_list_system_counters_reply_t> counters(
            xcb_sync_list_system_counters_reply(c, listing, nullptr));
        const auto counter = counters ? findIdleCounter(*counters) : std::nullopt;
        if (version && counter) {
            return std::unique_ptr<X11IdleSource>(new X11IdleSource(
                std::move(connection), Method::IdleCounter, *counter, sync->first_event));
        }
    }

    const xcb_query_extension_reply_t* saver = xcb_get_extension_data(c, &xcb_screensaver_id);
    // A saver that never comes on would never tell; the user's saver settings are not ours to set.
    if (only == Method::IdleCounter || saver == nullptr || saver->present == 0 || !settings ||
        settings->timeout == 0) {
        return nullptr;
    }
    return std::unique_ptr<X11IdleSource>(
        new X11IdleSource(std::move(connection), Method::ScreenSaver, 0, saver->first_event));
}

X11IdleSource::X11IdleSource(std::unique_ptr<XcbConnection> connection, Method method,
                             std::uint32_t idleCounter, std::uint8_t firstEvent)
    : connection_(std::move(connection))
    , method_(method)
    , idleCounter_(idleCounter)
    , firstEvent_(firstEvent) {
    saverWait_.setSingleShot(true);
    QObject::connect(&saverWait_, &QTimer::timeout, &saverWait_, [this] {
        if (saverOn_) {
            becomeIdle(thresholdMs_);
        }
    });
}

X11IdleSource::~X11IdleSource() {
    unwatch();
}

void X11IdleSource::watch(double idleSeconds, Observer observer) {
    unwatch();
    if (!(idleSeconds > 0)) { // NaN included
        return;
    }
    // Cut in floating point first: converting a time too long for an integer is undefined.
    thresholdMs_ = static_cast<std::int64_t>(
        std::min(std::ceil(idleSeconds * 1000), static_cast<double>(MaxThresholdMs)));
    observer_ = std::move(observer);
    watching_ = true;
    ++watchCount_;
    if (method_ == Method::IdleCounter) {
        watchCounter();
    } else {
        watchScreenSaver();
    }
}

void X11IdleSource::watchCounter() {
    xcb_connection_t* c = connection_->get();
    idleAlarm_ = xcb_generate_id(c);
    activeAlarm_ = xcb_generate_id(c);
    // Idle when the counter rises to the threshold; active when it falls below it again, which
    // only input does. Both stay armed for the whole watch, so no input slips between them.
    setAlarm(c, idleAlarm_, idleCounter_, thresholdMs_, XCB_SYNC_TESTTYPE_POSITIVE_TRANSITION);
    setAlarm(c, activeAlarm_, idleCounter_, thresholdMs_ - 1,
             XCB_SYNC_TESTTYPE_NEGATIVE_TRANSITION);
    // A rise that happened before the alarm existed is no transition: ask where the counter is.
    // The query also brings the server's idea of the counter up to date, which the falling alarm
    // needs to see the fall.
    XcbPointer<xcb_sync_query_counter_reply_t> now(
        xcb_sync_query_counter_reply(c, xcb_sync_query_counter(c, idleCounter_), nullptr));
    if (now && fromXcb(now->counter_value) >= thresholdMs_) {
        const std::int64_t idleMs = fromXcb(now->counter_value);
        QTimer::singleShot(0, &posted_, [this, watch = watchCount_, idleMs] {
            if (watch == watchCount_ && watching_) {
                becomeIdle(idleMs);
            }
        });
    }
    connection_->startReading([this](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) != firstEvent_ + XCB_SYNC_ALARM_NOTIFY) {
            return;
        }
        const auto& alarm = reinterpret_cast<const xcb_sync_alarm_notify_event_t&>(event);
        if (alarm.alarm == idleAlarm_) {
            becomeIdle(fromXcb(alarm.counter_value));
        } else if (alarm.alarm == activeAlarm_) {
            becomeActive();
        }
    });
}

void X11IdleSource::watchScreenSaver() {
    xcb_connection_t* c = connection_->get();
    const xcb_window_t root = connection_->root();
    xcb_screensaver_select_input(c, root, XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
    // The saver may be on already; its "on" then came before we listened.
    auto query = [c, root]() -> std::optional<std::int64_t> {
        XcbPointer<xcb_screensaver_query_info_reply_t> info(
            xcb_screensaver_query_info_reply(c, xcb_screensaver_query_info(c, root), nullptr));
        if (!info || info->state != XCB_SCREENSAVER_STATE_ON) {
            return std::nullopt;
        }
        return info->ms_since_user_input;
    };
    if (const auto idleMs = query()) {
        QTimer::singleShot(0, &posted_, [this, watch = watchCount_, idleMs = *idleMs] {
            if (watch == watchCount_ && watching_) {
                screenSaverOn(idleMs);
            }
        });
    }
    connection_->startReading([this, query](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) != firstEvent_ + XCB_SCREENSAVER_NOTIFY) {
            return;
        }
        const auto& notify = reinterpret_cast<const xcb_screensaver_notify_event_t&>(event);
        if (notify.state == XCB_SCREENSAVER_STATE_OFF) {
            screenSaverOff();
        } else if (notify.state == XCB_SCREENSAVER_STATE_ON) {
            // Ask rather than trust the event: it may be left over from an earlier watch.
            if (const auto idleMs = query()) {
                screenSaverOn(*idleMs);
            }
        }
    });
}

void X11IdleSource::screenSaverOn(std::int64_t idleMs) {
    if (saverOn_) {
        return;
    }
    saverOn_ = true;
    if (idleMs >= thresholdMs_) {
        becomeIdle(idleMs);
    } else {
        // The saver came on early (its own timeout is shorter, or it was forced on).
        saverWait_.start(static_cast<int>(thresholdMs_ - idleMs));
    }
}

void X11IdleSource::screenSaverOff() {
    saverOn_ = false;
    saverWait_.stop();
    becomeActive();
}

void X11IdleSource::unwatch() {
    if (!watching_) {
        return;
    }
    watching_ = false;
    xcb_connection_t* c = connection_->get();
    if (method_ == Method::IdleCounter) {
        xcb_sync_destroy_alarm(c, idleAlarm_);
        xcb_sync_destroy_alarm(c, activeAlarm_);
    } else {
        xcb_screensaver_select_input(c, connection_->root(), 0);
    }
    connection_->stopReading();
    idleAlarm_ = activeAlarm_ = 0;
    observer_ = {};
    idle_ = false;
    saverOn_ = false;
    saverWait_.stop();
}

void X11IdleSource::becomeIdle(std::int64_t idleMs) {
    if (idle_) {
        return;
    }
    idle_ = true;
    idleMsWhenSeen_ = idleMs;
    idleSeenAt_ = std::chrono::steady_clock::now();
    // A copy: the observer may watch again or stop, which replaces it.
    if (const auto report = observer_.idle) {
        report();
    }
}

void X11IdleSource::becomeActive() {
    if (!idle_) {
        return;
    }
    idle_ = false;
    const auto since = std::chrono::steady_clock::now() - idleSeenAt_;
    const double idleSeconds =
        static_cast<double>(idleMsWhenSeen_) / 1000 + std::chrono::duration<double>(since).count();
    if (const auto report = observer_.active) {
        report(idleSeconds);
    }
}

} // namespace quillmere::qt
