# A tiny SMTP server for the mail tests: prints its port, then stores every message it takes in
# DIR as mail-N.json (envelope, login, parsed headers, body, attachment names) and its
# attachments as mail-N-NAME. "--fail ADDR" answers 550 for that recipient (a pattern such as
# "*@refused.example" for every one it matches); "--hang" greets no one;
# "--endless" answers EHLO with a reply that never ends; "--noauth" offers no login;
# "--badlogin" refuses every login (535); "--badfrom" refuses every sender (553);
# "--any" listens on every address and prints, after the port, one that is not the loopback.
import asyncio, base64, socket, email, email.policy, fnmatch, json, os, sys

out = sys.argv[1]
fail = sys.argv[sys.argv.index("--fail") + 1] if "--fail" in sys.argv else None
hang = "--hang" in sys.argv
endless = "--endless" in sys.argv  # answers EHLO with a multi-line reply that never ends
noauth = "--noauth" in sys.argv
badlogin, badfrom = "--badlogin" in sys.argv, "--badfrom" in sys.argv
count = 0


async def session(reader, writer):
    global count
    if hang:
        await asyncio.sleep(3600)
    say = lambda line: writer.write((line + "\r\n").encode())
    say("220 test ESMTP")
    env = {"rcpt": [], "auth": None}
    while line := await reader.readline():
        cmd = line.decode("utf-8", "replace").rstrip("\r\n")
        verb = cmd.split(" ")[0].upper()
        if verb == "EHLO" and endless:
            try:
                while True:
                    say("250-" + "x" * 1000)
                    await writer.drain()
            except (ConnectionError, OSError):
                break
        elif verb == "EHLO":
            say("250-test")
            if not noauth:
                say("250-AUTH PLAIN")
            say("250 8BITMIME")
        elif verb == "AUTH":
            parts = base64.b64decode(cmd.split(" ")[2]).split(b"\0")
            env["auth"] = [p.decode("utf-8") for p in parts[1:]]
            say("535 bad credentials" if badlogin else "235 ok")
        elif verb == "MAIL" and badfrom:
            say("553 sender not allowed")
        elif verb == "MAIL":
            env["from"] = cmd[10:].split(">")[0].lstrip("<"); say("250 ok")
        elif verb == "RCPT":
            addr = cmd[8:].split(">")[0].lstrip("<")
            if fail and fnmatch.fnmatchcase(addr, fail):
                say("550 no such user")
            else:
                env["rcpt"].append(addr); say("250 ok")
        elif verb == "DATA":
            say("354 go on"); data = b""
            while (chunk := await reader.readline()) != b".\r\n":
                data += chunk[1:] if chunk.startswith(b".") else chunk
            count += 1
            msg = email.message_from_bytes(data, policy=email.policy.default)
            names = []
            for part in msg.iter_attachments():
                names.append(part.get_filename())
                with open(os.path.join(out, "mail-%d-%s" % (count, part.get_filename())), "wb") as f:
                    f.write(part.get_payload(decode=True))
            env.update(subject=msg["subject"], to=msg["to"], sender=msg["from"],
                       body=msg.get_body(("plain",)).get_content().strip(), files=names,
                       headers=[k for k in msg.keys()])
            with open(os.path.join(out, "mail-%d.json" % count), "w") as f:
                json.dump(env, f)
            env = {"rcpt": [], "auth": env["auth"]}
            say("250 queued")
        elif verb == "QUIT":
            say("221 bye"); await writer.drain(); break
        else:
            say("250 ok")
        await writer.drain()
    writer.close()


async def main():
    server = await asyncio.start_server(session, "0.0.0.0" if "--any" in sys.argv else "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    if "--any" in sys.argv:
        probe = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        probe.connect(("192.0.2.1", 9))  # no packet is sent: this only picks the outgoing address
        print(probe.getsockname()[0], flush=True)
    await server.serve_forever()

asyncio.run(main())
