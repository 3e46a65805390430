#include "platform/alsa_quiet.h"
#include "platform/midi_provider.h"
#include "platform/sequencer_time.h"

#include <alsa/asoundlib.h>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace strumvale::platform {

namespace {

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void quietAlsaLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(ignoreAlsaMessage); });
}

namespace {

using namespace midi_result;

constexpr const char* kClientName = "Strumvale";
constexpr const char* kOutputPortName = "Strumvale output";

// Opening the sequencer where there is none makes ALSA print; look first.
bool sequencerAvailable() {
    int fd = ::open("/dev/snd/seq", O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

MidiResult resultOf(int error) {
    switch (-error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case EINVAL:
        return BadDeviceId;
    case EBUSY:
    case EPERM:
    case EACCES:
        return Allocated;
    case ENOMEM:
        return NoMemory;
    case EAGAIN:
        return NotReady;
    default:
        return Error;
    }
}

struct SequencerPort {
    int client = 0;
    int port = 0;
    std::string clientName;
    std::string portName;

    std::string name() const { return clientName + ":" + portName; }
    // The address finds the port while it stays; the names find it again
    // when its device was plugged in anew and got another address.
    std::string identity() const {
        return std::to_string(client) + ":" + std::to_string(port) + "\n" + clientName + "\n" +
               portName;
    }
    bool sameNames(const SequencerPort& other) const {
        return clientName == other.clientName && portName == other.portName;
    }
};

std::optional<SequencerPort> parseIdentity(const std::string& identity) {
    SequencerPort port;
    std::size_t colon = identity.find(':');
    std::size_t first = identity.find('\n');
    std::size_t second = first == std::string::npos ? first : identity.find('\n', first + 1);
    if (colon == std::string::npos || second == std::string::npos || colon > first)
        return std::nullopt;
    try {
        port.client = std::stoi(identity.substr(0, colon));
        port.port = std::stoi(identity.substr(colon + 1, first - colon - 1));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    port.clientName = identity.substr(first + 1, second - first - 1);
    port.portName = identity.substr(second + 1);
    return port;
}

// The program's one sequencer client: made at the first look at the ports
// and kept until the program ends, so listing the ports never makes another.
// ALSA's sequencer handle is not safe for concurrent use; everything on it
// goes through mutex_.
class SequencerClient : public std::enable_shared_from_this<SequencerClient> {
public:
    ~SequencerClient() {
        if (seq_ != nullptr)
            snd_seq_close(seq_);
    }

    // Ports with all of the capabilities, but the program's own and the
    // system's (timer, announcements).
    std::vector<SequencerPort> ports(unsigned capabilities) {
        std::lock_guard lock(mutex_);
        std::vector<SequencerPort> found;
        if (!connected())
            return found;
        snd_seq_client_info_t* client = nullptr;
        snd_seq_port_info_t* port = nullptr;
        if (snd_seq_client_info_malloc(&client) < 0)
            return found;
        if (snd_seq_port_info_malloc(&port) < 0) {
            snd_seq_client_info_free(client);
            return found;
        }
        const int self = snd_seq_client_id(seq_);
        snd_seq_client_info_set_client(client, -1);
        while (snd_seq_query_next_client(seq_, client) >= 0) {
            const int id = snd_seq_client_info_get_client(client);
            if (id == self || id == SND_SEQ_CLIENT_SYSTEM)
                continue;
            snd_seq_port_info_set_client(port, id);
            snd_seq_port_info_set_port(port, -1);
            while (snd_seq_query_next_port(seq_, port) >= 0) {
                const unsigned caps = snd_seq_port_info_get_capability(port);
                const unsigned type = snd_seq_port_info_get_type(port);
                if ((caps & capabilities) != capabilities || (caps & SND_SEQ_PORT_CAP_NO_EXPORT))
                    continue;
                if (!(type & (SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_SYNTH |
                              SND_SEQ_PORT_TYPE_APPLICATION)))
                    continue;
                found.push_back({id, snd_seq_port_info_get_port(port),
                                 snd_seq_client_info_get_name(client),
                                 snd_seq_port_info_get_name(port)});
            }
        }
        snd_seq_port_info_free(port);
        snd_seq_client_info_free(client);
        return found;
    }

    MidiResult open(const std::string& identity, std::unique_ptr<MidiOutPort>& out);

    // Every message goes through the queue, stamped with its time plus the
    // constant latency, so that one sent "now" never overtakes one meant
    // for earlier; without a queue, messages go out directly.
    MidiResult send(int source, snd_midi_event_t* encoder, const unsigned char* bytes,
                    unsigned length, SteadyTime at, SteadyTime& lastDue) {
        std::lock_guard lock(mutex_);
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        snd_midi_event_reset_encode(encoder);
        long used = snd_midi_event_encode(encoder, bytes, length, &event);
        if (used < static_cast<long>(length) || event.type == SND_SEQ_EVENT_NONE)
            return InvalidParameter;
        snd_seq_ev_set_source(&event, source);
        snd_seq_ev_set_subs(&event);
        if (queue_ >= 0) {
            const QueueTime due = queueTimeOf(at, queueStart_);
            snd_seq_real_time_t time{due.seconds, due.nanoseconds};
            snd_seq_ev_schedule_real(&event, queue_, 0, &time);
            lastDue = std::max(lastDue, at + kSequencerLatency);
        } else {
            snd_seq_ev_set_direct(&event);
        }
        if (int error = snd_seq_event_output_direct(seq_, &event); error < 0)
            return resultOf(error);
        return NoError;
    }

    void close(int source, snd_midi_event_t* encoder, SteadyTime lastDue) {
        // A port's queued messages go with it; the last of them, often the
        // notes' release, is let out first.
        std::this_thread::sleep_until(lastDue + std::chrono::milliseconds(1));
        std::lock_guard lock(mutex_);
        snd_seq_delete_simple_port(seq_, source);
        snd_midi_event_free(encoder);
    }

    std::chrono::microseconds latency() const {
        return queue_ >= 0 ? kSequencerLatency : std::chrono::microseconds{};
    }

private:
    // Under mutex_. A machine without a sequencer is asked again next time,
    // in case one was loaded meanwhile.
    bool connected() {
        if (seq_ != nullptr)
            return true;
        quietAlsaLibrary();
        if (!sequencerAvailable())
            return false;
        if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
            seq_ = nullptr;
            return false;
        }
        snd_seq_set_client_name(seq_, kClientName);
        startQueue();
        return true;
    }

    // The queue's real time starts at zero here; a machine whose sequencer
    // has no queue to spare sends directly.
    void startQueue() {
        queue_ = snd_seq_alloc_named_queue(seq_, kClientName);
        if (queue_ < 0)
            return;
        if (snd_seq_start_queue(seq_, queue_, nullptr) < 0 || snd_seq_drain_output(seq_) < 0) {
            snd_seq_free_queue(seq_, queue_);
            queue_ = -1;
            return;
        }
        queueStart_ = std::chrono::steady_clock::now();
    }

    std::mutex mutex_;
    snd_seq_t* seq_ = nullptr;
    int queue_ = -1;
    SteadyTime queueStart_;
};

class AlsaPort : public MidiOutPort {
public:
    AlsaPort(std::shared_ptr<SequencerClient> client, int source, snd_midi_event_t* encoder)
        : client_(std::move(client)), source_(source), encoder_(encoder) {}
    ~AlsaPort() override { client_->close(source_, encoder_, lastDue_); }

    MidiResult sendShortMessage(std::uint32_t message) override {
        return sendShortMessageAt(message, std::chrono::steady_clock::now());
    }

    std::chrono::microseconds latency() const override { return client_->latency(); }

    MidiResult sendShortMessageAt(std::uint32_t message, SteadyTime at) override {
        const unsigned char bytes[3] = {static_cast<unsigned char>(message & 0xFF),
                                        static_cast<unsigned char>((message >> 8) & 0xFF),
                                        static_cast<unsigned char>((message >> 16) & 0xFF)};
        const unsigned length = shortMessageLength(bytes[0]);
        if (length == 0)
            return InvalidParameter;
        return client_->send(source_, encoder_, bytes, length,
                             plausibleTime(at, std::chrono::steady_clock::now()), lastDue_);
    }

private:
    std::shared_ptr<SequencerClient> client_;
    int source_;
    snd_midi_event_t* encoder_;
    SteadyTime lastDue_; // under the client's lock
};

constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
constexpr unsigned kReadable = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;

MidiResult SequencerClient::open(const std::string& identity, std::unique_ptr<MidiOutPort>& out) {
    auto wanted = parseIdentity(identity);
    if (!wanted)
        return BadDeviceId;
    std::optional<SequencerPort> target;
    for (const auto& port : ports(kWritable)) {
        if (!port.sameNames(*wanted))
            continue;
        if (port.client == wanted->client && port.port == wanted->port) {
            target = port;
            break;
        }
        if (!target)
            target = port;
    }
    if (!target)
        return BadDeviceId;

    std::lock_guard lock(mutex_);
    if (!connected())
        return BadDeviceId;
    const int source =
        snd_seq_create_simple_port(seq_, kOutputPortName, kReadable,
                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (source < 0)
        return resultOf(source);
    if (int error = snd_seq_connect_to(seq_, source, target->client, target->port); error < 0) {
        snd_seq_delete_simple_port(seq_, source);
        return resultOf(error);
    }
    snd_midi_event_t* encoder = nullptr;
    if (int error = snd_midi_event_new(16, &encoder); error < 0) {
        snd_seq_delete_simple_port(seq_, source);
        return resultOf(error);
    }
    out = std::make_unique<AlsaPort>(shared_from_this(), source, encoder);
    return NoError;
}

class AlsaProvider : public MidiDeviceProvider {
public:
    std::vector<MidiPortEntry> outputPorts() override {
        std::vector<MidiPortEntry> entries;
        for (const auto& port : client_->ports(kWritable))
            entries.push_back({port.name(), port.identity()});
        return entries;
    }

    MidiResult openOutput(const std::string& identity,
                          std::unique_ptr<MidiOutPort>& port) override {
        return client_->open(identity, port);
    }

    std::vector<std::string> inputPorts() override {
        std::vector<std::string> names;
        for (const auto& port : client_->ports(kReadable))
            names.push_back(port.name());
        return names;
    }

private:
    std::shared_ptr<SequencerClient> client_ = std::make_shared<SequencerClient>();
};

} // namespace

std::shared_ptr<MidiDeviceProvider> alsaSequencerProvider() {
    static std::shared_ptr<MidiDeviceProvider> provider = std::make_shared<AlsaProvider>();
    return provider;
}

} // namespace strumvale::platform
