#include "CSimSettings.h"

const char* SimHelpText()
{
    return R"(Usage: orvak-panelsim [options]

Behaves as an operator panel on the network: answers the panel command channel
(message codes 18, 143 and 128) on TCP and serves TFTP on UDP, with one local
folder as the panel's SD card. The first line on standard output, written once
every socket is bound, is
    panelsim port=<TCP port> tftp=<UDP port or off>
Logs go to standard error. SIGINT or SIGTERM stop it (exit code 0).
Options take their value as the next argument or after '=' (--port=0).

Network:
  --address ADDR            listen address (default 127.0.0.1)
  --port N                  TCP port of the command channel (default 10001;
                            0 = any free port)
  --tftp-port N             UDP port of the TFTP server (default 69; 0 = any
                            free port)
  --no-tftp                 no TFTP server (tftp=off on the first line)

Card:
  --card DIR                folder served as the SD card (default: the current
                            folder)
  --demo-card DIR           create the demo card in DIR (DIR is created;
                            existing sample files are rewritten), then serve it

Panel identity (reply of message 18):
  --type N                  panel type byte (default 186)
  --revision LN             firmware revision letter and number, e.g. k5 or i11
                            (default k5)
  --build N                 build number (default 200)
  --info-length N           length of the message 18 reply in bytes
                            (default 100)

Fault injection:
  --card-status N           card status code put into every card (128) reply
                            (default 0); an error status (128..136) also keeps
                            card delete and rename from touching the card
  --fail WHICH=RESULT       answer matching requests with library result RESULT
                            and no payload, without carrying them out. WHICH is
                            MSG (a message code, e.g. 18), or 143:SUB (a file
                            sub-command, e.g. 143:7), or 128:SUB (a card
                            sub-command, 11, 14 or 15). Repeatable.
  --fail-after WHICH=N      let the first N matching requests succeed, then fail
                            every later one with result 24 (e.g. 143:0=3: the
                            4th block read fails). Counted over all connections.
                            Repeatable.
  --card-result SUB=R       force the result byte of card delete (14) or rename
                            (15) to R; a non-zero R leaves the card unchanged
  --delay-ms N              wait N ms before every reply
  --no-reply-every N        never answer every N-th request (counted per
                            connection, from 1); that request is not carried
                            out and the connection stays open (the client
                            times out)
  --close-mid-reply-every N send only the first half of every N-th reply (counted
                            per connection), then close that connection
  --malform KIND            corrupt replies, KIND one of:
                              magic        every reply starts with 0x00 0x00
                                           instead of 0x50 0x4C
                              code         every reply carries message code + 1
                              short-entry  sub-command 7 entry records are cut to
                                           the name and its 0 byte plus 3 bytes
                              short-card   card (128) replies are cut to 3 bytes
                              oversize     every successful 143 reply payload is
                                           padded with 0 bytes to 300 bytes
  --zero-date NAME          list NAME with date and time fields all 0
                            (repeatable)
  --card-no-last-flag       card listing never sets the last-entry flag

Growing data log:
  --grow-log NAME           append one record to data-log NAME on the card every
                            interval (the record copies the last record's width,
                            date stamped now, values changing); the file must
                            exist and hold a header and at least one record
  --grow-interval-ms T      interval of --grow-log (default 1000)

TFTP faults:
  --tftp-drop-every N       silently drop every N-th outgoing TFTP packet
                            (counted over all transfers)
  --tftp-error CODE:MSG     answer every TFTP request with this ERROR packet

Other:
  --verbose                 one line per request on standard error
  --help                    this text
  --version                 the version
)";
}
