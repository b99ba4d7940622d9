// The page's script runs as it is, untranspiled, in the oldest browsers the
// page supports (package.json's browserslist): syntax up to ES2019, which
// Chromium 78 parses (no optional chaining, no ??), and only the web APIs
// those browsers have, as eslint-plugin-compat reads them from caniuse and
// MDN's data.
import compat from "eslint-plugin-compat";
import globals from "globals";

// eslint-plugin-compat checks globals and static members only: it cannot
// tell what object a method is called on. These instance members are missing
// from the oldest browsers (the first version that has each in brackets).
const newerMembers = {
    replaceChildren: "Chromium 86",
    showModal: "Firefox 98, Safari 15.4",
    replaceAll: "Chromium 85, Safari 13.1",
    at: "Chromium 92, Firefox 90, Safari 15.4",
    findLast: "Chromium 97, Firefox 104, Safari 15.4",
    findLastIndex: "Chromium 97, Firefox 104, Safari 15.4",
    toSorted: "Chromium 110, Firefox 115, Safari 16",
    toReversed: "Chromium 110, Firefox 115, Safari 16",
    toSpliced: "Chromium 110, Firefox 115, Safari 16",
    requestSubmit: "Safari 16",
    checkVisibility: "Chromium 105, Firefox 106, Safari 17.4",
    showPicker: "Chromium 99, Firefox 101, Safari 16",
};

export default [
    {
        files: ["**/*.js"],
        plugins: { compat },
        languageOptions: {
            ecmaVersion: 2019,
            sourceType: "script",
            globals: { ...globals.browser },
        },
        settings: {
            // Used only where present, with a fallback beside them.
            polyfills: ["Uint8Array.fromBase64", "CSS.supports"],
        },
        rules: {
            "compat/compat": "error",
            "no-undef": "error",
            "no-unused-vars": ["error", { args: "none" }],
            "no-restricted-properties": ["error", ...Object.entries(newerMembers).map(([property, since]) =>
                ({ property, message: `not in the oldest supported browsers (${since} and later)` }))],
        },
    },
    {
        // The site's offline worker runs in a worker's scope, not a window's.
        files: ["**/service-worker.js"],
        languageOptions: { globals: { ...globals.serviceworker } },
    },
];
