#!/usr/bin/python3
# Sends one e-mail through the user's SMTP server.
#
#   pyth_mail.py LOGIN SERVER PORT SENDER RECIPIENT SUBJECT BODY SSL [ATTACHMENT ...]
#
# Standard input carries the password on its first line (UTF-8) and "Description" on the next,
# so the password never shows on a command line. SSL "Y" connects over TLS from the start; "N"
# upgrades with STARTTLS, and only a server on the loopback address may be used without it.
# Certificates are verified. Exit status 0 means the server took the message; otherwise one
# line on standard error says why (never the password).

import ipaddress
import mimetypes
import os
import resource
import smtplib
import socket
import ssl
import sys
from base64 import b64encode
from email.message import EmailMessage
from email.utils import formatdate, make_msgid

# Every socket operation; the caller kills the whole run of the script later than this.
TIMEOUT = 60
# One reply of the server (all lines of a multi-line reply): real ones are a few hundred bytes.
MAX_REPLY = 64 * 1024
# The script's own memory (heap and private mappings): room for attachments of tens of MB,
# never the gigabytes a hostile server could make it gather.
MAX_MEMORY = 512 * 1024 * 1024


class Refused(Exception):
    def __init__(self, status, text):
        super().__init__(text)
        self.status = status


def fail(status, text):
    print("mail: " + text, file=sys.stderr)
    sys.exit(status)


def on_loopback(host):
    try:
        infos = socket.getaddrinfo(host, None)
    except OSError:
        return False
    return bool(infos) and all(ipaddress.ip_address(i[4][0]).is_loopback for i in infos)


def check_line(name, value):
    if "\r" in value or "\n" in value or "\0" in value:
        raise Refused(2, name + " holds a line break")


def build(sender, recipient, subject, body, attachments):
    for name, value in (("sender", sender), ("recipient", recipient), ("subject", subject)):
        check_line(name, value)
    msg = EmailMessage()
    msg["From"] = sender
    msg["To"] = recipient
    msg["Subject"] = subject
    msg["Date"] = formatdate(localtime=True)
    msg["Message-ID"] = make_msgid()
    msg.set_content(body)
    for path in attachments:
        if not path or not os.path.isfile(path):
            raise Refused(2, "attachment missing: " + os.path.basename(path))
        ctype, _ = mimetypes.guess_type(path)
        maintype, subtype = (ctype or "application/octet-stream").split("/", 1)
        with open(path, "rb") as f:
            msg.add_attachment(f.read(), maintype=maintype, subtype=subtype,
                               filename=os.path.basename(path))
    return msg


class CappedReply:
    """The server's reply stream, counted: a reply past MAX_REPLY ends the session."""

    def __init__(self, smtp, file):
        self.smtp, self.file, self.used = smtp, file, 0

    def readline(self, limit=-1):
        line = self.file.readline(limit)
        self.used += len(line)
        if self.used > MAX_REPLY:
            self.smtp.close()  # so QUIT on the way out reads nothing more
            raise Refused(6, "the server's reply is longer than %d KiB" % (MAX_REPLY // 1024))
        return line

    def close(self):
        self.file.close()


def capped(base):
    class Capped(base):
        def getreply(self):
            if self.file is None:
                self.file = self.sock.makefile("rb")
            # A fresh count for every reply.
            self.file = CappedReply(self, getattr(self.file, "file", self.file))
            return super().getreply()
    return Capped


CappedSMTP = capped(smtplib.SMTP)
CappedSMTP_SSL = capped(smtplib.SMTP_SSL)


def login(smtp, user, password):
    if not password:
        return
    # A password set for a server that takes none is the user's to fix, not a network fault.
    if not smtp.has_extn("auth"):
        raise Refused(4, "the server offers no login")
    try:
        password.encode("ascii")
        smtp.login(user, password)
        return
    except UnicodeEncodeError:
        pass
    except smtplib.SMTPException as e:
        # Only smtplib's bare error here means none of the server's login methods is one it knows.
        if type(e) is smtplib.SMTPException:
            raise Refused(4, "the server offers no login method this program knows")
        raise
    # smtplib encodes credentials as ASCII: send AUTH PLAIN with UTF-8 ourselves.
    if "plain" not in smtp.esmtp_features.get("auth", "").lower():
        raise Refused(4, "the server offers no login for a non-ASCII password")
    token = b64encode(b"\0" + user.encode("utf-8") + b"\0" + password.encode("utf-8")).decode("ascii")
    code, _ = smtp.docmd("AUTH", "PLAIN " + token)
    if code != 235:
        raise Refused(4, "login refused (%d)" % code)


def send(args, password):
    user, server, port, sender, recipient, subject, body, use_ssl = args[:8]
    msg = build(sender, recipient, subject, body, args[8:])
    context = ssl.create_default_context()
    port = int(port)
    if use_ssl == "Y":
        smtp = CappedSMTP_SSL(server, port, timeout=TIMEOUT, context=context)
    else:
        smtp = CappedSMTP(server, port, timeout=TIMEOUT)
    with smtp:
        smtp.ehlo()
        if use_ssl != "Y":
            if smtp.has_extn("starttls"):
                smtp.starttls(context=context)
                smtp.ehlo()
            elif not on_loopback(server):
                raise Refused(3, "the server offers no STARTTLS; the password would go in clear text")
        login(smtp, user, password)
        smtp.send_message(msg, from_addr=sender, to_addrs=[recipient])


def main():
    if len(sys.argv) < 9:
        fail(2, "too few arguments")
    try:
        resource.setrlimit(resource.RLIMIT_DATA, (MAX_MEMORY, MAX_MEMORY))
    except (ValueError, OSError):
        pass  # a lower limit already set stays
    lines = sys.stdin.buffer.read().decode("utf-8", "replace").split("\n")
    password = lines[0].rstrip("\r")
    try:
        send(sys.argv[1:], password)
    except Refused as e:
        fail(e.status, str(e))
    except smtplib.SMTPAuthenticationError as e:
        fail(4, "login refused (%d)" % e.smtp_code)
    except smtplib.SMTPSenderRefused as e:
        fail(5, "the server refused the sender's address (%d)" % e.smtp_code)
    except smtplib.SMTPRecipientsRefused as e:
        code = next(iter(e.recipients.values()))[0]
        fail(5, "the server refused this address (%d)" % code)
    except smtplib.SMTPResponseException as e:
        fail(5, "the server refused the mail (%d)" % e.smtp_code)
    except (socket.timeout, TimeoutError):
        fail(6, "the server did not answer in time")
    except MemoryError:
        fail(6, "the mail needs more than %d MiB" % (MAX_MEMORY >> 20))
    except ConnectionRefusedError:
        fail(6, "the server refused the connection")
    except socket.gaierror:
        fail(6, "the server's name was not found")
    except smtplib.SMTPServerDisconnected:
        fail(6, "the server closed the connection")
    except smtplib.SMTPNotSupportedError as e:
        fail(5, "the server takes no addresses with characters beyond ASCII" if "SMTPUTF8" in str(e)
             else "the server does not support what this mail needs")
    # Every smtplib error is also an OSError: each is named before the network's own faults.
    except smtplib.SMTPException:
        fail(6, "the server's answer was not understood")
    except ssl.SSLCertVerificationError:
        fail(6, "the server's certificate could not be verified")
    except ssl.SSLError:
        fail(6, "the secure connection to the server failed")
    except OSError as e:
        # Plain words, never the exception's class name.
        fail(6, "the network failed (%s)" % (e.strerror or "no reason given").lower())
    except ValueError as e:
        fail(6, "the mail could not be made (%s)" % (str(e).splitlines()[0] if str(e) else "no reason given"))


if __name__ == "__main__":
    main()
