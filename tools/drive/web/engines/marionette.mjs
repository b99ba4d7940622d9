// A client of Firefox's Marionette server (length-prefixed JSON over TCP on
// loopback), for what WebDriver BiDi does not tell: the computed label.
import { connect } from "node:net";

export async function marionette(port) {
    const socket = connect({ host: "127.0.0.1", port });
    let buffer = Buffer.alloc(0);
    const waiting = new Map();
    let hello;
    const greeted = new Promise((resolve) => { hello = resolve; });
    socket.on("data", (chunk) => {
        buffer = Buffer.concat([buffer, chunk]);
        for (;;) {
            const colon = buffer.indexOf(":");
            if (colon < 0) return;
            const length = Number(buffer.subarray(0, colon).toString());
            if (buffer.length < colon + 1 + length) return;
            const message = JSON.parse(buffer.subarray(colon + 1, colon + 1 + length).toString());
            buffer = buffer.subarray(colon + 1 + length);
            if (!Array.isArray(message)) { hello(message); continue; }
            const [, id, error, result] = message;
            const callback = waiting.get(id);
            waiting.delete(id);
            if (callback) error ? callback.reject(new Error(`${error.error}: ${error.message}`)) : callback.resolve(result);
        }
    });
    await new Promise((resolve, reject) => { socket.once("connect", resolve); socket.once("error", reject); });
    await greeted;
    let next = 0;
    const send = (command, parameters = {}) => new Promise((resolve, reject) => {
        const id = ++next;
        waiting.set(id, { resolve, reject });
        const text = Buffer.from(JSON.stringify([0, id, command, parameters]));
        socket.write(`${text.length}:`);
        socket.write(text);
    });
    return { send, close: () => socket.destroy() };
}
