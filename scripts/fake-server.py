#!/usr/bin/env python3
"""A small stand-in for the management server, for trying the login by hand.

Answers POST /login and GET /getInfo the way the real server does; every other path
gets a 404 reply. Usage: scripts/fake-server.py [port]   (default 8080, 0 for any free one; 127.0.0.1 only)
"""
import json
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

# name: (password, user id, nick name, rights)
USERS = {
    "admin": ("admin123", 1, "管理员", ["*:*:*"]),
    "planner": ("plan-456", 2, "模板员", ["business:template:list", "business:template:paint"]),
    "viewer": ("view-789", 3, "查看员", ["business:template:query"]),
}


def token_of(name):
    return "tok-" + name + "-7f3a"


class Handler(BaseHTTPRequestHandler):
    def reply(self, status, body):
        data = json.dumps(body, ensure_ascii=False).encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "application/json;charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_POST(self):
        length = int(self.headers.get("Content-Length") or 0)
        raw = self.rfile.read(length)
        if self.path != "/login":
            return self.reply(404, {"code": 404, "msg": "not found"})
        try:
            posted = json.loads(raw or b"{}")
        except ValueError:
            posted = {}
        user = USERS.get(posted.get("username"))
        if not user or user[0] != posted.get("password"):
            return self.reply(200, {"code": 500, "msg": "用户不存在/密码错误"})
        self.reply(200, {"code": 200, "msg": "操作成功", "token": token_of(posted["username"])})

    def do_GET(self):
        if self.path != "/getInfo":
            return self.reply(404, {"code": 404, "msg": "not found"})
        token = self.headers.get("Authorization", "")
        for name, (_, uid, nick, rights) in USERS.items():
            if token == token_of(name):
                user = {"userId": uid, "userName": name, "nickName": nick}
                return self.reply(200, {"code": 200, "msg": "操作成功", "user": user,
                                        "roles": ["common"], "permissions": rights})
        self.reply(200, {"code": 401, "msg": "认证失败，无法访问系统资源"})

    def log_message(self, fmt, *args):
        # The request line only: bodies carry passwords.
        sys.stderr.write("%s %s\n" % (self.command, self.path))


if __name__ == "__main__":
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 8080
    server = ThreadingHTTPServer(("127.0.0.1", port), Handler)
    # Said once the port is bound, so whoever waits for this line can connect.
    print("fake management server on http://127.0.0.1:%d" % server.server_address[1], flush=True)
    server.serve_forever()
