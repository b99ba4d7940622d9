// The page's style against the browserslist of package.json: properties and
// selectors the oldest supported browsers lack are faults, unless the rule
// degrades to a look those browsers still draw right (listed below, with why).
export default {
    plugins: ["stylelint-no-unsupported-browser-features"],
    rules: {
        "plugin/no-unsupported-browser-features": [true, {
            severity: "error",
            ignorePartialSupport: true,
            ignore: [
                // iOS draws its own selection colours: the text stays readable.
                "css-selection",
                // Where it is missing, the rule that narrows the focus outline
                // is dropped and the outline shows after clicks too.
                "css-focus-visible",
            ],
        }],
    },
};
