// The site's worker keeps its files for starts without the network. Registered
// before the page's script starts, whose later policy allows no worker.
if ("serviceWorker" in navigator && window.isSecureContext) {
    navigator.serviceWorker.register("service-worker.js", { scope: "./" }).catch(function (error) {
        // Offline starts are a convenience: the page runs on without them.
        console.warn("Lamino: no offline copy (" + error + ")");
    });
}
